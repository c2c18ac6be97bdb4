#include "dfe/crypto/detail/pkcs12_reader.h"

#include "dfe/crypto/detail/openssl_runtime.h"

namespace dfe::openssl {

bool readPkcs12(std::string_view pfx, const std::string &password, Pkcs12Contents &contents)
{
    contents = {};
    ensureProviders();
    BioPtr bio(BIO_new_mem_buf(pfx.data(), static_cast<int>(pfx.size())));
    Pkcs12Ptr pkcs12(bio ? d2i_PKCS12_bio(bio.get(), nullptr) : nullptr);
    if (!pkcs12) {
        clearErrors();
        return false;
    }
    EVP_PKEY *key = nullptr;
    X509 *certificate = nullptr;
    STACK_OF(X509) *authorities = nullptr;
    const bool parsed = PKCS12_parse(pkcs12.get(), password.c_str(), &key, &certificate, &authorities) == 1;
    Pkcs12Contents read{KeyPtr(key), CertificatePtr(certificate), CertificateStackPtr(authorities)};
    clearErrors();
    if (!parsed || !read.certificate)
        return false;
    contents = std::move(read);
    return true;
}

} // namespace dfe::openssl
