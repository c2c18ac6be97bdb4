#include "dfe/ssl/tls_credential.h"

#include <stdexcept>

#include <openssl/evp.h>
#include <openssl/x509.h>

TlsCredential::TlsCredential(X509 *certificate, EVP_PKEY *privateKey, const std::vector<X509 *> &chain)
{
    if (certificate == nullptr)
        throw std::invalid_argument("TlsCredential sem certificado");
    X509_up_ref(certificate);
    certificate_ = certificate;
    if (privateKey != nullptr) {
        EVP_PKEY_up_ref(privateKey);
        privateKey_ = privateKey;
    }
    chain_.reserve(chain.size());
    for (X509 *link : chain) {
        if (link == nullptr)
            continue;
        X509_up_ref(link);
        chain_.push_back(link);
    }
}

TlsCredential::~TlsCredential()
{
    for (X509 *link : chain_)
        X509_free(link);
    EVP_PKEY_free(privateKey_);
    X509_free(certificate_);
}
