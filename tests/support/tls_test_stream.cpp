#include "tests/support/tls_test_stream.h"

#include <memory>
#include <stdexcept>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <unistd.h>

#include "tests/support/test_pki.h"

namespace testsupport {

namespace {

using SslContext = std::shared_ptr<SSL_CTX>;

class TlsStream : public TestStream {
  public:
    TlsStream(SSL *ssl, int socket) : ssl_(ssl), socket_(socket) {}
    ~TlsStream() override
    {
        SSL_shutdown(ssl_);
        SSL_free(ssl_);
        ::close(socket_);
    }
    long read(char *buffer, std::size_t size) override
    {
        std::size_t got = 0;
        if (SSL_read_ex(ssl_, buffer, size, &got) == 1)
            return static_cast<long>(got);
        return SSL_get_error(ssl_, 0) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
    }
    bool write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            std::size_t put = 0;
            if (SSL_write_ex(ssl_, bytes.data(), bytes.size(), &put) != 1)
                return false;
            bytes.remove_prefix(put);
        }
        return true;
    }
    std::string tlsVersion() const override { return SSL_get_version(ssl_); }
    std::string clientSubject() const override
    {
        X509 *peer = SSL_get0_peer_certificate(ssl_);
        if (peer == nullptr)
            return {};
        BIO *out = BIO_new(BIO_s_mem());
        X509_NAME_print_ex(out, X509_get_subject_name(peer), 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB);
        char *data = nullptr;
        const long size = BIO_get_mem_data(out, &data);
        std::string subject(data, static_cast<std::size_t>(size));
        BIO_free(out);
        return subject;
    }
    std::string clientCertificatePem() const override
    {
        X509 *peer = SSL_get0_peer_certificate(ssl_);
        if (peer == nullptr)
            return {};
        BIO *out = BIO_new(BIO_s_mem());
        PEM_write_bio_X509(out, peer);
        char *data = nullptr;
        const long size = BIO_get_mem_data(out, &data);
        std::string pem(data, static_cast<std::size_t>(size));
        BIO_free(out);
        return pem;
    }

  private:
    SSL *ssl_;
    int socket_;
};

[[noreturn]] void fail(const std::string &what)
{
    ERR_clear_error();
    throw std::runtime_error("test TLS server: " + what);
}

SslContext makeContext(const TlsTestServerOptions &options)
{
    SslContext context(SSL_CTX_new(TLS_server_method()), SSL_CTX_free);
    if (!context)
        fail("SSL_CTX_new");
    SSL_CTX *ctx = context.get();
    if (SSL_CTX_use_certificate_file(ctx, options.certPem.c_str(), SSL_FILETYPE_PEM) != 1 ||
        SSL_CTX_use_PrivateKey_file(ctx, options.keyPem.c_str(), SSL_FILETYPE_PEM) != 1)
        fail("server credential " + options.certPem);
    if (!options.extraPem.empty()) {
        BIO *in = BIO_new_file(options.extraPem.c_str(), "r");
        while (X509 *extra = in != nullptr ? PEM_read_bio_X509(in, nullptr, nullptr, nullptr) : nullptr)
            SSL_CTX_add0_chain_cert(ctx, extra);
        BIO_free(in);
        ERR_clear_error();
    }
    if (!options.clientCaPem.empty()) {
        if (SSL_CTX_load_verify_locations(ctx, options.clientCaPem.c_str(), nullptr) != 1)
            fail("client authorities " + options.clientCaPem);
        SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER | SSL_VERIFY_FAIL_IF_NO_PEER_CERT, nullptr);
    }
    if (options.onlyVersion != 0) {
        SSL_CTX_set_min_proto_version(ctx, options.onlyVersion);
        SSL_CTX_set_max_proto_version(ctx, options.onlyVersion);
    }
    // One exchange per connection: no tickets or session cache to muddle a
    // test that counts handshakes.
    SSL_CTX_set_session_cache_mode(ctx, SSL_SESS_CACHE_OFF);
    SSL_CTX_set_num_tickets(ctx, 0);
    return context;
}

} // namespace

TestStreamFactory tlsTestStreams(const TlsTestServerOptions &options)
{
    SslContext context = makeContext(options);
    return [context](int socket) -> std::unique_ptr<TestStream> {
        SSL *ssl = SSL_new(context.get());
        if (ssl == nullptr) {
            ::close(socket);
            return nullptr;
        }
        SSL_set_fd(ssl, socket);
        if (SSL_accept(ssl) != 1) {
            ERR_clear_error();
            SSL_free(ssl);
            ::close(socket);
            return nullptr;
        }
        return std::make_unique<TlsStream>(ssl, socket);
    };
}

TestStreamFactory clientCertificateTestStreams(int onlyVersion)
{
    const TestPki &pki = testPki();
    TlsTestServerOptions options;
    options.certPem = pki.server.certPem;
    options.keyPem = pki.server.keyPem;
    options.extraPem = pki.intermediate.certPem;
    options.clientCaPem = pki.chainPem;
    options.onlyVersion = onlyVersion;
    return tlsTestStreams(options);
}

} // namespace testsupport
