#include "dfe/crypto/detail/certificate_fields.h"

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/crypto/detail/openssl_runtime.h"
#include "dfe/ssl/base64.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"

#include <openssl/asn1.h>
#include <openssl/evp.h>

#include <chrono>
#include <ctime>

namespace dfe::openssl {

std::string serialNumberHex(const X509 *certificate)
{
    const ASN1_INTEGER *serial = X509_get0_serialNumber(certificate);
    if (serial == nullptr)
        return {};
    return BytesParaHex(std::string_view(reinterpret_cast<const char *>(ASN1_STRING_get0_data(serial)),
                                         static_cast<size_t>(ASN1_STRING_length(serial))));
}

std::string thumbprintSha1(const X509 *certificate)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (X509_digest(certificate, EVP_sha1(), digest, &size) != 1)
        return {};
    return BytesParaHex(std::string_view(reinterpret_cast<const char *>(digest), size));
}

std::string printName(const X509_NAME *name)
{
    BioPtr bio(BIO_new(BIO_s_mem()));
    if (!bio || X509_NAME_print_ex(bio.get(), name, 0, XN_FLAG_SEP_CPLUS_SPC | ASN1_STRFLGS_UTF8_CONVERT) < 0)
        return {};
    std::string text;
    char piece[1024];
    int read = 0;
    while ((read = BIO_read(bio.get(), piece, sizeof piece)) > 0)
        text.append(piece, static_cast<size_t>(read));
    return text;
}

TDateTime notAfterLocal(const X509 *certificate)
{
    const ASN1_TIME *notAfter = X509_get0_notAfter(certificate);
    std::tm utc{};
    // ASN1_TIME_to_tm reads UTCTime as RFC 5280 says (50-99 are 19xx).
    if (notAfter == nullptr || ASN1_TIME_to_tm(notAfter, &utc) != 1)
        return kDataNaoInformada;
    const std::time_t moment = timegm(&utc);
    return toLocalDateTime(std::chrono::system_clock::from_time_t(moment));
}

std::string derBase64(const X509 *certificate)
{
    unsigned char *der = nullptr;
    const int size = i2d_X509(certificate, &der);
    if (size <= 0)
        return {};
    std::string base64(static_cast<size_t>(4 * ((size + 2) / 3)) + 1, '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(base64.data()), der, size);
    OPENSSL_free(der);
    base64.resize(static_cast<size_t>(written));
    return base64;
}

void fillCertificateData(const X509 *certificate, TDadosCertificado &dados)
{
    dados.Limpar();
    dados.NumeroSerie = serialNumberHex(certificate);
    dados.HashSHA1 = thumbprintSha1(certificate);
    dados.SetSubjectName(printName(X509_get_subject_name(certificate)));
    if (dados.CNPJ.empty())
        dados.CNPJ = cnpjFromOtherNames(certificate);
    dados.DataValidade = notAfterLocal(certificate);
    dados.SetIssuerName(printName(X509_get_issuer_name(certificate)));
    dados.CertificadoDERBase64 = derBase64(certificate);
}

CertificatePtr certificateFromDerBase64(std::string_view derBase64Text)
{
    std::string der;
    try {
        der = decodeBase64(derBase64Text);
    } catch (const EQuibDFeException &) {
        return nullptr;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(der.data());
    CertificatePtr certificate(d2i_X509(nullptr, &bytes, static_cast<long>(der.size())));
    clearErrors();
    return certificate;
}

} // namespace dfe::openssl
