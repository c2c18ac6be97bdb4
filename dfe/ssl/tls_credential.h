#pragma once

#include <memory>
#include <vector>

#include <openssl/types.h>

// The client certificate that a crypt back-end hands to the HTTP back-ends:
// certificate, private key and the chain above it. Immutable once made and
// shared (std::shared_ptr<const TlsCredential>), so a send running on another
// thread keeps it alive after the facade has unloaded or replaced its
// certificate. Implemented in tls_credential.cpp.
class TlsCredential {
  public:
    // Takes references of its own to every object (the caller keeps and frees
    // its own). The key may be null for a certificate without private key;
    // the certificate must not be null (std::invalid_argument).
    TlsCredential(X509 *certificate, EVP_PKEY *privateKey, const std::vector<X509 *> &chain = {});
    ~TlsCredential();
    TlsCredential(const TlsCredential &) = delete;
    TlsCredential &operator=(const TlsCredential &) = delete;

    // Borrowed pointers, valid while the credential lives.
    X509 *certificate() const { return certificate_; }
    EVP_PKEY *privateKey() const { return privateKey_; }
    const std::vector<X509 *> &chain() const { return chain_; }

  private:
    X509 *certificate_ = nullptr;
    EVP_PKEY *privateKey_ = nullptr;
    std::vector<X509 *> chain_;
};

using TlsCredentialPtr = std::shared_ptr<const TlsCredential>;
