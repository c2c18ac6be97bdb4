#include "dfe/crypto/detail/pkcs12_reader.h"
#include "dfe/crypto/detail/rsa_digest.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dfe::openssl;
using testsupport::runCommand;

namespace {

Pkcs12Contents open(const TestCert &cert)
{
    Pkcs12Contents contents;
    EXPECT_TRUE(readPkcs12(testsupport::readFile(cert.pfxAes), cert.password, contents)) << cert.pfxAes;
    return contents;
}

// A text that spans several reading chunks, with bytes of every value.
std::string sampleBytes()
{
    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>((i * 7) % 256);
    return bytes;
}

} // namespace

TEST(RsaDigest, SignaturesEqualTheOpensslCommandAndVerifyWithIt)
{
    const TestPki &pki = testPki();
    testsupport::TempDir dir;
    const std::string data = sampleBytes();
    const auto dataFile = dir.write("data.bin", data).string();
    for (const TestCert *cert : {&pki.ecnpj, &pki.rsa4096}) {
        Pkcs12Contents contents = open(*cert);
        const auto publicKey = (dir / "public.pem").string();
        ASSERT_EQ(
            runCommand({"sh", "-c", "openssl x509 -in '" + cert->certPem + "' -pubkey -noout > " + publicKey})
                .exitCode,
            0);
        for (const auto &[digest, name] : {std::pair{dgstSHA1, "-sha1"}, std::pair{dgstSHA256, "-sha256"},
                                           std::pair{dgstSHA512, "-sha512"}}) {
            std::istringstream stream(data);
            const std::string signature = digestOrSign(stream, digest, contents.key.get());
            const auto expected = runCommand({"openssl", "dgst", name, "-sign", cert->keyPem, dataFile});
            ASSERT_EQ(expected.exitCode, 0) << expected.err;
            EXPECT_EQ(signature, expected.out) << cert->certPem << " " << name;
            EXPECT_EQ(signature.size(), cert == &pki.rsa4096 ? 512u : 256u);

            const auto signatureFile = dir.write("signature.bin", signature).string();
            const auto verified = runCommand(
                {"openssl", "dgst", name, "-verify", publicKey, "-signature", signatureFile, dataFile});
            EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
        }
    }
}

TEST(RsaDigest, DigestOfEmptyInputAndOfEveryOfferedAlgorithm)
{
    struct Case {
        TSSLDgst digest;
        const char *emptyHex;
    };
    // clang-format off
    const Case cases[] = {
        {dgstMD4,    "31D6CFE0D16AE931B73C59D7E0C089C0"},
        {dgstMD5,    "D41D8CD98F00B204E9800998ECF8427E"},
        {dgstRMD160, "9C1185A5C5E9FC54612808977EE8F548B2258D31"},
        {dgstSHA1,   "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {dgstSHA256, "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
    };
    // clang-format on
    for (const Case &c : cases) {
        std::istringstream empty;
        EXPECT_EQ(BytesParaHex(digestOrSign(empty, c.digest, nullptr)), c.emptyHex) << digestName(c.digest);
    }
}

TEST(RsaDigest, DigestsTheLibraryDoesNotOfferAreRefusedByName)
{
    for (TSSLDgst digest : {dgstMD2, dgstSHA}) {
        std::istringstream stream("abc");
        try {
            digestOrSign(stream, digest, nullptr);
            ADD_FAILURE() << digestName(digest);
        } catch (const EQuibDFeException &e) {
            EXPECT_EQ(std::string(e.what()), "Erro ao carregar Digest: " + digestName(digest));
        }
    }
}

TEST(RsaDigest, ChecksOfDigestAndSignature)
{
    Pkcs12Contents contents = open(testPki().ecnpj);
    std::istringstream stream(sampleBytes());
    const std::string digest = digestOrSign(stream, dgstSHA256, nullptr);
    const std::string signature = digestOrSign(stream, dgstSHA256, contents.key.get());
    EVP_PKEY *publicKey = X509_get0_pubkey(contents.certificate.get());

    EXPECT_TRUE(digestContained(stream, dgstSHA256, digest));
    EXPECT_TRUE(digestContained(stream, dgstSHA256, "prefixo" + digest + "sufixo"));
    EXPECT_FALSE(digestContained(stream, dgstSHA256, digest.substr(1)));
    EXPECT_FALSE(digestContained(stream, dgstSHA1, digest));

    EXPECT_TRUE(signatureValid(stream, dgstSHA256, signature, publicKey));
    std::string changed = signature;
    changed[10] = static_cast<char>(changed[10] ^ 0x01);
    EXPECT_FALSE(signatureValid(stream, dgstSHA256, changed, publicKey));
    EXPECT_FALSE(signatureValid(stream, dgstSHA1, signature, publicKey));
    std::istringstream otherBytes("outro conteudo");
    EXPECT_FALSE(signatureValid(otherBytes, dgstSHA256, signature, publicKey));
}
