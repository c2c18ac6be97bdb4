#include "dfe/crypto/detail/certificate_fields.h"

#include <openssl/x509v3.h>

namespace dfe::openssl {

namespace {

// The last content bytes of the ICP-Brasil other-name OIDs, followed by the
// context tag [0] of the other-name value.
constexpr std::string_view kCnpjPattern("\x01\x03\x03\xA0", 4);         // 2.16.76.1.3.3
constexpr std::string_view kPersonalDataPattern("\x01\x03\x01\xA0", 4); // 2.16.76.1.3.1
constexpr char kOctetStringTag = 0x04;

// Characters of code 32 or less removed at both ends: this also drops the
// tag and length bytes of a value stored as a printable string.
std::string trimControls(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return std::string(text.substr(begin, end - begin));
}

// The value after the pattern in the first extension that contains it.
std::string searchExtensions(const X509 *certificate, std::string_view pattern)
{
    for (int index = 0; index < X509_get_ext_count(certificate); ++index) {
        const ASN1_OCTET_STRING *data = X509_EXTENSION_get_data(X509_get_ext(certificate, index));
        std::string_view bytes(reinterpret_cast<const char *>(ASN1_STRING_get0_data(data)),
                               static_cast<size_t>(ASN1_STRING_length(data)));
        if (bytes.find(pattern) != std::string_view::npos)
            return otherNameValue(bytes, pattern);
    }
    return {};
}

// Takes up to `count` bytes from `position`: a length that runs past the
// data stops at its end.
std::string_view take(std::string_view bytes, size_t position, size_t count)
{
    if (position >= bytes.size())
        return {};
    return bytes.substr(position, count);
}

} // namespace

std::string otherNameValue(std::string_view extensionData, std::string_view pattern)
{
    const size_t found = extensionData.find(pattern);
    if (found == std::string_view::npos)
        return {};
    std::string_view rest = extensionData.substr(found + pattern.size());
    if (rest.empty())
        return {};
    std::string_view value = take(rest, 1, static_cast<unsigned char>(rest[0]));
    if (!value.empty() && value[0] == kOctetStringTag)
        value = value.size() >= 2 ? take(value, 2, static_cast<unsigned char>(value[1])) : std::string_view();
    return std::string(value);
}

std::string cnpjFromOtherNames(const X509 *certificate)
{
    std::string cnpj = trimControls(searchExtensions(certificate, kCnpjPattern)).substr(0, 14);
    if (!cnpj.empty())
        return cnpj;
    std::string personalData = trimControls(searchExtensions(certificate, kPersonalDataPattern));
    return personalData.size() > 8 ? personalData.substr(8, 11) : std::string();
}

} // namespace dfe::openssl
