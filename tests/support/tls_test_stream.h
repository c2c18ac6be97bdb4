#pragma once

#include <string>

#include "tests/support/http_test_server.h"

// The TLS side of the test HTTP server: an OpenSSL server stream for the
// server's plug-in point.

namespace testsupport {

struct TlsTestServerOptions {
    std::string certPem;     // the server's certificate (PEM file)
    std::string keyPem;      // its key (PEM file)
    std::string extraPem;    // more certificates sent with it (PEM file); may be empty
    std::string clientCaPem; // authorities a client certificate must chain to; empty: none asked for
    // The only TLS version offered (TLS1_2_VERSION, TLS1_3_VERSION...); 0: any.
    int onlyVersion = 0;
};

// Streams that run a TLS server handshake on each accepted socket; a failed
// handshake drops the connection. Raises std::runtime_error when the
// credential files cannot be read.
TestStreamFactory tlsTestStreams(const TlsTestServerOptions &options);

// The usual peer of the tests: the test PKI's server certificate (127.0.0.1
// and localhost), demanding a client certificate issued under the test root.
TestStreamFactory clientCertificateTestStreams(int onlyVersion = 0);

} // namespace testsupport
