#include <string>

#include <gtest/gtest.h>

#include "foundation/fiscal/dfe_util.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::runCommand;

// The signature template, placed in a document, is what xmlsec1 signs and
// then verifies, for each digest the template offers.
TEST(SignatureTemplate, SignedAndVerifiedByXmlsec)
{
    if (!testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("openssl"))
        GTEST_SKIP() << "xmlsec1 or openssl is missing";

    testsupport::TempDir dir;
    const std::string key = (dir / "key.pem").string();
    const std::string cert = (dir / "cert.pem").string();
    const auto made = runCommand({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                                  "-out", cert, "-subj", "/CN=Emitente de teste", "-days", "2"});
    ASSERT_EQ(made.exitCode, 0) << made.err;

    const std::string id = "NFe35190111222333000181550010000000011876543219";
    for (const TSSLDgst digest : {dgstSHA1, dgstSHA256, dgstSHA512}) {
        SCOPED_TRACE(std::string(EnumValueName(digest)));
        const std::string documento =
            "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"" + id +
            "\" versao=\"4.00\"><ide><cUF>35</cUF><xNome>Pão &amp; Cia</xNome></ide>"
            "</infNFe>" +
            ModeloAssinaturaXML(ValorIdParaAssinatura("<infNFe Id=\"" + id + "\">", "infNFe"), true, "",
                                digest) +
            "</NFe>";
        const std::string entrada = dir.write("nfe.xml", documento).string();
        const std::string assinado = (dir / "assinado.xml").string();

        const auto sign = runCommand({"xmlsec1", "--sign", "--privkey-pem", key + "," + cert, "--id-attr:Id",
                                      "infNFe", "--output", assinado, entrada});
        ASSERT_EQ(sign.exitCode, 0) << sign.err;
        const std::string xml = testsupport::readFile(assinado);
        EXPECT_TRUE(XMLAssinado(xml));
        EXPECT_EQ(xml.find("<DigestValue></DigestValue>"), std::string::npos);
        EXPECT_EQ(xml.find("<X509Certificate></X509Certificate>"), std::string::npos);

        const auto verify =
            runCommand({"xmlsec1", "--verify", "--trusted-pem", cert, "--id-attr:Id", "infNFe", assinado});
        EXPECT_EQ(verify.exitCode, 0) << verify.err;

        // A changed value no longer verifies.
        std::string alterado = xml;
        alterado.replace(alterado.find("<cUF>35"), 7, "<cUF>41");
        const std::string adulterado = dir.write("adulterado.xml", alterado).string();
        const auto refused =
            runCommand({"xmlsec1", "--verify", "--trusted-pem", cert, "--id-attr:Id", "infNFe", adulterado});
        EXPECT_NE(refused.exitCode, 0);
    }
}

} // namespace
