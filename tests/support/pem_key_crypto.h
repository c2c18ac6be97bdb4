#pragma once

#include <string>
#include <string_view>

#include <openssl/types.h>

#include "dfe/xmlsign/xmldsig_crypto.h"

// A throw-away RSA key with a self-signed certificate made by the openssl
// command, and the XML-signature crypto over it, for tests and benchmarks
// that sign without a certificate back-end.
namespace testsupport {

struct ThrowAwayKey {
    std::string keyPem;  // path of the private key, PEM
    std::string certPem; // path of the self-signed certificate, PEM
};
// Made once per test program, removed at exit.
const ThrowAwayKey &throwAwayKey();

// RSA with the throw-away key through OpenSSL; counts certificate releases.
class PemKeyCrypto : public XmlDsigCrypto {
  public:
    PemKeyCrypto();
    ~PemKeyCrypto() override;

    std::string digest(std::string_view data, TSSLDgst algorithm) override;
    std::string sign(std::string_view data, TSSLDgst algorithm) override;
    std::string certificateBase64() override;
    void usePublicCertificate(std::string_view certificateBase64) override;
    bool signatureMatches(std::string_view data, TSSLDgst algorithm, std::string_view signature) override;
    void releaseCertificate() override;

    bool publicCertificateLoaded() const { return publicKey_ != nullptr; }
    int releases() const { return releases_; }

  private:
    EVP_PKEY *privateKey_ = nullptr;
    EVP_PKEY *publicKey_ = nullptr;
    std::string certificateBase64_;
    int releases_ = 0;
};

} // namespace testsupport
