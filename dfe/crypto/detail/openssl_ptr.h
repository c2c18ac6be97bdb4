#pragma once

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <memory>

// Owning handles of OpenSSL objects, freed with the library's own functions.
// Header-only.

namespace dfe::openssl {

template <typename T, void (*Free)(T *)> struct FreeWith {
    void operator()(T *object) const { Free(object); }
};

inline void freeCertificateStack(STACK_OF(X509) * stack)
{
    sk_X509_pop_free(stack, X509_free);
}

using BioPtr = std::unique_ptr<BIO, FreeWith<BIO, BIO_free_all>>;
using CertificatePtr = std::unique_ptr<X509, FreeWith<X509, X509_free>>;
using CertificateStackPtr = std::unique_ptr<STACK_OF(X509), FreeWith<STACK_OF(X509), freeCertificateStack>>;
using DigestContextPtr = std::unique_ptr<EVP_MD_CTX, FreeWith<EVP_MD_CTX, EVP_MD_CTX_free>>;
using DigestPtr = std::unique_ptr<EVP_MD, FreeWith<EVP_MD, EVP_MD_free>>;
using KeyPtr = std::unique_ptr<EVP_PKEY, FreeWith<EVP_PKEY, EVP_PKEY_free>>;
using Pkcs12Ptr = std::unique_ptr<PKCS12, FreeWith<PKCS12, PKCS12_free>>;

} // namespace dfe::openssl
