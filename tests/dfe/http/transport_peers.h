#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/support/http_test_server.h"

// What the transport tests share: the SOAP envelope they post, the answers
// of the loopback servers and the facade set up as a fiscal component sets
// it up. Implemented in transport_peers.cpp.

namespace transporttest {

extern const std::string kEnvelope;

// 200 with "<retorno>" + the size of the body received + "</retorno>".
testsupport::HttpTestResponse soapAnswer(const testsupport::HttpTestRequest &request);
// The same answer, 20 s late.
testsupport::HttpTestResponse silent(const testsupport::HttpTestRequest &request);

// A facade with the OpenSSL certificate back-end, the e-CNPJ's PFX as
// certificate and the given HTTP library.
std::unique_ptr<TDFeSSL> facadeWithECnpj(TSSLHttpLib httpLib);

// Sends the facade's exchanges through the proxy on 127.0.0.1 at that port
// with that user and password.
void useProxy(TDFeSSL &ssl, int port, const std::string &user, const std::string &password);

// The message of the EQuibDFeException the call raises; fails the test when none.
template <typename Call> std::string dfeErrorOf(Call call)
{
    try {
        call();
    } catch (const EQuibDFeException &error) {
        return error.what();
    }
    ADD_FAILURE() << "no EQuibDFeException";
    return {};
}

} // namespace transporttest
