#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/ssl/dados_certificado.h"
#include "foundation/dates/date_time.h"

#include <openssl/x509.h>

#include <string>
#include <string_view>

// What the OpenSSL back-end reads from a certificate into the certificate
// data of the facade. Implemented in certificate_fields.cpp and
// certificate_other_names.cpp.

namespace dfe::openssl {

// Every content byte of the serial number, most significant first, as two
// upper-case hexadecimal digits each (the sign byte of the DER encoding is not
// a content byte: 00 9A BC gives "9ABC").
std::string serialNumberHex(const X509 *certificate);

// SHA-1 of the DER encoding, 40 upper-case hexadecimal digits.
std::string thumbprintSha1(const X509 *certificate);

// A name as "C=BR, O=ICP-Brasil, CN=EMPRESA:11222333000181": components in
// the certificate's order, short attribute names, ", " between components,
// " + " inside a multi-valued one, values unescaped and converted to UTF-8.
std::string printName(const X509_NAME *name);

// The holder's CNPJ from the ICP-Brasil other names of the extensions: the
// value of 2.16.76.1.3.3 (first 14 characters), else the CPF inside the
// personal data 2.16.76.1.3.1 (11 characters from the 9th); empty when
// neither is present.
std::string cnpjFromOtherNames(const X509 *certificate);

// The other-name search on the data of one extension (exposed for tests of
// malformed data): the value after `pattern`, its octet-string wrapping taken
// off; empty when the pattern is absent.
std::string otherNameValue(std::string_view extensionData, std::string_view pattern);

// notAfter in local time (offset of the local zone at that moment). A
// two-digit UTCTime year of 50 to 99 is 19xx, 00 to 49 is 20xx. A certificate
// without notAfter, or with one that does not read, gives 0.
TDateTime notAfterLocal(const X509 *certificate);

// The DER encoding in base64 (standard alphabet, "=" padding, one line).
std::string derBase64(const X509 *certificate);

// The certificate of a base64 DER text (a public certificate handed in by
// the caller); empty when the text is not base64 or not a certificate.
CertificatePtr certificateFromDerBase64(std::string_view derBase64Text);

// Clears the data and fills it from the certificate: NumeroSerie, HashSHA1,
// SubjectName (with RazaoSocial and CNPJ), the other-name CNPJ when the
// subject has none, DataValidade, IssuerName and CertificadoDERBase64. Tipo
// stays tcDesconhecido: the caller knows where the key lives.
void fillCertificateData(const X509 *certificate, TDadosCertificado &dados);

} // namespace dfe::openssl
