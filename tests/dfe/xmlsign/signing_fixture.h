#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <openssl/types.h>

#include "dfe/xmlsign/xmldsig_crypto.h"

// Shared pieces of the XML signature tests: a throw-away RSA key with a
// self-signed certificate made by the openssl command, a crypto over it, the
// sample documents of tests/dfe/data and xmlsec1 as the independent judge.
namespace xmlsigntest {

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

// A document of tests/dfe/data.
std::string sample(std::string_view name);
std::filesystem::path schemaFile(std::string_view name);

// Empty when `xmlsec1 --verify --id-attr:Id <idElement>` accepts the signed
// text with the throw-away certificate as trusted; otherwise its report.
std::string xmlsecRejects(const std::string &signedXml, std::string_view idElement);
// The text xmlsec1 --sign writes for a document that already holds the
// template, with the throw-away key.
std::string xmlsecSigned(const std::string &templateXml, std::string_view idElement);
// The text of the first element `name` (blanks and line breaks removed).
std::string elementText(const std::string &xml, std::string_view name);

} // namespace xmlsigntest
