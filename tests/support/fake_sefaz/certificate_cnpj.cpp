#include "tests/support/fake_sefaz/certificate_cnpj.h"

#include <algorithm>
#include <cctype>

#include <openssl/bio.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

namespace testsupport::fakesefaz {

namespace {

constexpr std::string_view kCnpjOid = "2.16.76.1.3.3";

std::string cnpjOrEmpty(std::string_view text)
{
    text = text.substr(0, 14);
    const bool digits = text.size() == 14 && std::all_of(text.begin(), text.end(),
                                                         [](unsigned char c) { return std::isdigit(c); });
    return digits ? std::string(text) : std::string();
}

std::string cnpjOfCommonName(std::string_view subject)
{
    const std::size_t cn = subject.find("CN=");
    if (cn == std::string_view::npos)
        return {};
    std::string_view value = subject.substr(cn + 3);
    value = value.substr(0, value.find(','));
    const std::size_t colon = value.rfind(':');
    if (colon == std::string_view::npos || value.size() - colon - 1 != 14)
        return {};
    return cnpjOrEmpty(value.substr(colon + 1));
}

const ASN1_STRING *stringValue(const ASN1_TYPE *value)
{
    switch (value->type) {
    case V_ASN1_OCTET_STRING:
    case V_ASN1_PRINTABLESTRING:
    case V_ASN1_UTF8STRING:
    case V_ASN1_IA5STRING:
        return value->value.asn1_string;
    default:
        return nullptr;
    }
}

std::string cnpjOfOtherNames(std::string_view certificatePem)
{
    BIO *in = BIO_new_mem_buf(certificatePem.data(), static_cast<int>(certificatePem.size()));
    X509 *certificate = in != nullptr ? PEM_read_bio_X509(in, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(in);
    if (certificate == nullptr)
        return {};
    auto *names =
        static_cast<GENERAL_NAMES *>(X509_get_ext_d2i(certificate, NID_subject_alt_name, nullptr, nullptr));
    std::string cnpj;
    for (int i = 0; names != nullptr && i < sk_GENERAL_NAME_num(names) && cnpj.empty(); ++i) {
        const GENERAL_NAME *name = sk_GENERAL_NAME_value(names, i);
        if (name->type != GEN_OTHERNAME)
            continue;
        char oid[80] = {};
        OBJ_obj2txt(oid, sizeof oid, name->d.otherName->type_id, 1);
        const ASN1_STRING *value = stringValue(name->d.otherName->value);
        if (kCnpjOid != oid || value == nullptr)
            continue;
        cnpj = cnpjOrEmpty(std::string_view(reinterpret_cast<const char *>(ASN1_STRING_get0_data(value)),
                                            static_cast<std::size_t>(ASN1_STRING_length(value))));
    }
    GENERAL_NAMES_free(names);
    X509_free(certificate);
    return cnpj;
}

} // namespace

std::string certificateCnpj(std::string_view subject, std::string_view certificatePem)
{
    const std::string fromName = cnpjOfCommonName(subject);
    return fromName.empty() && !certificatePem.empty() ? cnpjOfOtherNames(certificatePem) : fromName;
}

} // namespace testsupport::fakesefaz
