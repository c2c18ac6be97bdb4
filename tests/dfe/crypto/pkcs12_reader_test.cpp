#include "dfe/crypto/detail/pkcs12_reader.h"

#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

#include <gtest/gtest.h>

#include <openssl/err.h>

using namespace dfe::openssl;

TEST(Pkcs12Reader, AesAndLegacyRc2FilesOpenAlike)
{
    const TestPki &pki = testPki();
    for (const TestCert *cert : {&pki.ecnpj, &pki.ecpf, &pki.rsa4096, &pki.server}) {
        Pkcs12Contents aes, rc2;
        ASSERT_TRUE(readPkcs12(testsupport::readFile(cert->pfxAes), cert->password, aes)) << cert->pfxAes;
        ASSERT_TRUE(readPkcs12(testsupport::readFile(cert->pfxRc2), cert->password, rc2)) << cert->pfxRc2;
        EXPECT_EQ(X509_cmp(aes.certificate.get(), rc2.certificate.get()), 0);
        EXPECT_EQ(EVP_PKEY_eq(aes.key.get(), rc2.key.get()), 1);
        EXPECT_EQ(X509_check_private_key(aes.certificate.get(), aes.key.get()), 1);
        EXPECT_EQ(sk_X509_num(aes.authorities.get()), 2); // intermediate and root
    }
}

TEST(Pkcs12Reader, WrongPasswordOrOtherBytesGiveFalseAndLeaveNoLibraryError)
{
    const TestCert &cert = testPki().ecnpj;
    struct Case {
        std::string bytes;
        std::string password;
    };
    const Case cases[] = {
        {testsupport::readFile(cert.pfxAes), "senha errada"},
        {testsupport::readFile(cert.pfxRc2), ""},
        {testsupport::readFile(cert.certPem), cert.password},
        {"", cert.password},
        {testsupport::readFile(cert.pfxAes).substr(0, 200), cert.password},
    };
    for (const Case &c : cases) {
        Pkcs12Contents contents;
        EXPECT_FALSE(readPkcs12(c.bytes, c.password, contents));
        EXPECT_FALSE(contents.certificate);
        EXPECT_FALSE(contents.key);
        EXPECT_EQ(ERR_peek_error(), 0u);
    }
}
