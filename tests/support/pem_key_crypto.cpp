#include "tests/support/pem_key_crypto.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

namespace {

const EVP_MD *mdOf(TSSLDgst algorithm)
{
    switch (algorithm) {
    case dgstSHA256:
        return EVP_sha256();
    case dgstSHA512:
        return EVP_sha512();
    default:
        return EVP_sha1();
    }
}

std::string base64(const unsigned char *bytes, int size)
{
    std::string text(4 * ((static_cast<std::size_t>(size) + 2) / 3) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        EVP_EncodeBlock(reinterpret_cast<unsigned char *>(text.data()), bytes, size)));
    return text;
}

} // namespace

const ThrowAwayKey &throwAwayKey()
{
    static TempDir folder;
    static const ThrowAwayKey key = [] {
        ThrowAwayKey made{(folder.path() / "key.pem").string(), (folder.path() / "cert.pem").string()};
        const CommandResult result =
            runCommand({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", made.keyPem,
                        "-out", made.certPem, "-subj", "/CN=ASSINATURA DE TESTE", "-days", "2"});
        if (result.exitCode != 0)
            throw std::runtime_error("openssl: " + result.err);
        return made;
    }();
    return key;
}

PemKeyCrypto::PemKeyCrypto()
{
    const ThrowAwayKey &key = throwAwayKey();
    FILE *file = std::fopen(key.keyPem.c_str(), "r");
    privateKey_ = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
    std::fclose(file);
    file = std::fopen(key.certPem.c_str(), "r");
    X509 *certificate = PEM_read_X509(file, nullptr, nullptr, nullptr);
    std::fclose(file);
    unsigned char *der = nullptr;
    const int size = i2d_X509(certificate, &der);
    certificateBase64_ = base64(der, size);
    OPENSSL_free(der);
    X509_free(certificate);
}

PemKeyCrypto::~PemKeyCrypto()
{
    EVP_PKEY_free(privateKey_);
    EVP_PKEY_free(publicKey_);
}

std::string PemKeyCrypto::digest(std::string_view data, TSSLDgst algorithm)
{
    unsigned char bytes[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(data.data(), data.size(), bytes, &size, mdOf(algorithm), nullptr);
    return std::string(reinterpret_cast<const char *>(bytes), size);
}

std::string PemKeyCrypto::sign(std::string_view data, TSSLDgst algorithm)
{
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    EVP_DigestSignInit(context.get(), nullptr, mdOf(algorithm), nullptr, privateKey_);
    std::size_t size = 0;
    EVP_DigestSign(context.get(), nullptr, &size, reinterpret_cast<const unsigned char *>(data.data()),
                   data.size());
    std::string signature(size, '\0');
    EVP_DigestSign(context.get(), reinterpret_cast<unsigned char *>(signature.data()), &size,
                   reinterpret_cast<const unsigned char *>(data.data()), data.size());
    signature.resize(size);
    return signature;
}

std::string PemKeyCrypto::certificateBase64()
{
    return certificateBase64_;
}

void PemKeyCrypto::usePublicCertificate(std::string_view certificateBase64)
{
    EVP_PKEY_free(publicKey_);
    publicKey_ = nullptr;
    std::string der(certificateBase64.size(), '\0');
    const int size = EVP_DecodeBlock(reinterpret_cast<unsigned char *>(der.data()),
                                     reinterpret_cast<const unsigned char *>(certificateBase64.data()),
                                     static_cast<int>(certificateBase64.size()));
    const unsigned char *cursor = reinterpret_cast<const unsigned char *>(der.data());
    X509 *certificate = d2i_X509(nullptr, &cursor, size);
    if (certificate != nullptr) {
        publicKey_ = X509_get_pubkey(certificate);
        X509_free(certificate);
    }
}

bool PemKeyCrypto::signatureMatches(std::string_view data, TSSLDgst algorithm, std::string_view signature)
{
    if (publicKey_ == nullptr)
        return false;
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    EVP_DigestVerifyInit(context.get(), nullptr, mdOf(algorithm), nullptr, publicKey_);
    return EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char *>(signature.data()),
                            signature.size(), reinterpret_cast<const unsigned char *>(data.data()),
                            data.size()) == 1;
}

void PemKeyCrypto::releaseCertificate()
{
    EVP_PKEY_free(publicKey_);
    publicKey_ = nullptr;
    ++releases_;
}

} // namespace testsupport
