#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/openssl_ptr.h"
#include "foundation/dates/date_time.h"

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/time_zone_guard.h"

#include <gtest/gtest.h>

#include <openssl/pem.h>

using namespace dfe::openssl;
using testsupport::runCommand;

namespace {

CertificatePtr load(const TestCert &cert)
{
    BioPtr bio(BIO_new_file(cert.certPem.c_str(), "rb"));
    CertificatePtr certificate(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
    EXPECT_TRUE(certificate) << cert.certPem;
    return certificate;
}

// "serial=ABC\n" gives "ABC"; fingerprints lose their colons.
std::string opensslField(const TestCert &cert, const std::string &option)
{
    auto result = runCommand({"openssl", "x509", "-in", cert.certPem, "-noout", option});
    std::string value = result.out.substr(result.out.find('=') + 1);
    std::erase(value, ':');
    std::erase(value, '\n');
    return value;
}

} // namespace

TEST(CertificateFields, SerialAndThumbprintAgreeWithOpenssl)
{
    const TestPki &pki = testPki();
    for (const TestCert *cert :
         {&pki.ecnpj, &pki.serialInnerZero, &pki.serialHighBit, &pki.root, &pki.rsa4096}) {
        CertificatePtr certificate = load(*cert);
        EXPECT_EQ(serialNumberHex(certificate.get()), opensslField(*cert, "-serial")) << cert->certPem;
        EXPECT_EQ(thumbprintSha1(certificate.get()), opensslField(*cert, "-fingerprint")) << cert->certPem;
    }
    EXPECT_EQ(serialNumberHex(load(pki.serialInnerZero).get()), "1200340056");
    EXPECT_EQ(serialNumberHex(load(pki.serialHighBit).get()), "9ABCDEF012");
}

TEST(CertificateFields, NamesInCertificateOrderWithUtf8Values)
{
    const TestPki &pki = testPki();
    EXPECT_EQ(printName(X509_get_subject_name(load(pki.ecnpjOtherNameOnly).get())),
              "C=BR, O=ICP-Brasil, OU=Secretaria da Receita Federal do Brasil - RFB, OU=e-CNPJ A1, "
              "CN=SERVI\u00c7OS DE INFORM\u00c1TICA \u00c1GUA LTDA");
    EXPECT_EQ(printName(X509_get_issuer_name(load(pki.ecnpj).get())),
              "C=BR, O=ICP-Brasil, OU=Secretaria da Receita Federal do Brasil - RFB, CN=AC TESTE RFB v5");
}

TEST(CertificateFields, CnpjFromTheIcpBrasilOtherNames)
{
    const TestPki &pki = testPki();
    struct Case {
        const TestCert *cert;
        const char *cnpj;
    };
    const Case cases[] = {
        {&pki.ecnpj, "11222333000181"},              // octet string
        {&pki.ecnpjPrintable, "11444777000161"},     // printable string: tag and length trimmed
        {&pki.ecnpjOtherNameOnly, "22333444000181"}, // the only entry
        {&pki.ecpf, "12345678909"},                  // CPF after the birth date
        {&pki.server, ""},                           // no ICP-Brasil other name
        {&pki.root, ""},                             // no subject alternative name
    };
    for (const Case &c : cases)
        EXPECT_EQ(cnpjFromOtherNames(load(*c.cert).get()), c.cnpj) << c.cert->certPem;
}

TEST(CertificateFields, OtherNameLengthsThatRunPastTheDataStopAtItsEnd)
{
    const std::string pattern("\x01\x03\x03\xA0", 4);
    struct Case {
        std::string data;
        std::string value;
    };
    const Case cases[] = {
        {pattern, ""},
        {pattern + "\x10", ""},
        {pattern + "\x10\x04", ""},
        {pattern + "\x10\x04\x0E"
                   "1122",
         "1122"},
        {pattern + "\x05"
                   "12345678",
         "12345"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(otherNameValue(c.data, pattern), c.value);
}

TEST(CertificateFields, ExpiryInLocalTimeWithTheTwoDigitYearsOfRfc5280)
{
    testsupport::ScopedTimeZone zone("America/Sao_Paulo");
    const TestPki &pki = testPki();
    struct Case {
        const TestCert *cert;
        int year;
        int localHour;
    };
    // Each ends on 31/12 at 23:59:59 UTC: 21:59:59 under the summer time of
    // 1999, 20:59:59 in the later years.
    const Case cases[] = {{&pki.expired1999, 1999, 21}, {&pki.ends2049, 2049, 20}, {&pki.ends2051, 2051, 20}};
    for (const Case &c : cases)
        EXPECT_NEAR(notAfterLocal(load(*c.cert).get()), encodeDateTime({c.year, 12, 31, c.localHour, 59, 59}),
                    1e-8)
            << c.cert->certPem;
    EXPECT_LT(notAfterLocal(load(pki.expired1999).get()), nowLocal());
}

TEST(CertificateFields, DerBase64IsOneLineOfTheCertificate)
{
    const TestCert &cert = testPki().ecnpj;
    std::string pem = testsupport::readFile(cert.certPem);
    std::string body = pem.substr(pem.find('\n') + 1);
    body = body.substr(0, body.find("-----"));
    std::erase(body, '\n');
    EXPECT_EQ(derBase64(load(cert).get()), body);
}
