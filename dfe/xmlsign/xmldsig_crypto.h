#pragma once

#include <string>
#include <string_view>

#include "foundation/fiscal/ssl_dgst.h"

// The cryptography an XML signature needs, kept apart from the XML work so
// the signer runs on any key holder: the certificate facade in the product,
// a key file in tests. Raw bytes in and out; Base64 is the caller's business.
// Every operation may raise the holder's own errors (no certificate, no
// private key), which the signer passes on unchanged.
class XmlDsigCrypto {
  public:
    virtual ~XmlDsigCrypto() = default;

    // The digest of the bytes.
    virtual std::string digest(std::string_view data, TSSLDgst algorithm) = 0;
    // The RSA (PKCS#1 v1.5) signature of the bytes under that digest, made
    // with the signer's private key.
    virtual std::string sign(std::string_view data, TSSLDgst algorithm) = 0;
    // The signer's certificate, DER in Base64 without line breaks.
    virtual std::string certificateBase64() = 0;

    // Makes the certificate that came inside a signed document (DER in
    // Base64) the one signatureMatches checks with.
    virtual void usePublicCertificate(std::string_view certificateBase64) = 0;
    // True when `signature` is the RSA signature of the bytes under that digest.
    virtual bool signatureMatches(std::string_view data, TSSLDgst algorithm, std::string_view signature) = 0;
    // Forgets any certificate loaded for a check; called after every check.
    virtual void releaseCertificate() = 0;
};
