#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"

#include <gtest/gtest.h>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/xmlsign/signing_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"

namespace {

using testsupport::testPki;

class XmlSignLibXml2 : public testing::Test {
  protected:
    void SetUp() override
    {
        RegistraBackendsDFe();
        ssl.SetSSLXmlSignLib(xsLibXml2);
    }
    TDFeSSL ssl;
};

TEST_F(XmlSignLibXml2, IsTheBackEndOfTheLibXml2Choice)
{
    EXPECT_EQ(ssl.SSLXmlSignClass().NomeClasse(), "TDFeSSLXmlSignLibXml2");
    std::string no = "qualquer";
    std::string espacos = "xmlns:x=\"y\"";
    dynamic_cast<TDFeSSLXmlSignLibXml2 &>(ssl.SSLXmlSignClass()).AjustarParametrosAssinatura(no, espacos);
    EXPECT_EQ(no, "Signature");
    EXPECT_EQ(espacos, "http://www.w3.org/2000/09/xmldsig#");
}

TEST_F(XmlSignLibXml2, ValidatesThroughTheFacade)
{
    if (testsupport::officialSchemaDir().empty())
        GTEST_SKIP() << "esquemas oficiais ausentes";
    std::string msgErro;
    EXPECT_FALSE(ssl.Validar(xmlsigntest::sample("nfe_400.xml"),
                             xmlsigntest::schemaFile("nfe_v4.00.xsd").string(), msgErro));
    EXPECT_TRUE(msgErro.starts_with(" --> 1871 - ")) << msgErro;
}

// xmlsec1 with the test root as the only trusted certificate.
std::string xmlsecRejectsUnderTestRoot(const std::string &assinado, const std::string &idElement)
{
    testsupport::TempDir pasta;
    const auto result = testsupport::runCommand(
        {"xmlsec1", "--verify", "--trusted-pem", testPki().root.certPem, "--untrusted-pem",
         testPki().intermediate.certPem, "--id-attr:Id", idElement, pasta.write("a.xml", assinado).string()});
    return result.exitCode == 0 ? std::string() : result.err;
}

class XmlSignLibXml2WithPfx : public XmlSignLibXml2 {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("xmlsec1"))
            GTEST_SKIP() << "xmlsec1 ausente";
        RegistraBackendsDFe();
        applySslLib(ssl, libOpenSSL);
        ssl.SetArquivoPFX(testPki().ecnpj.pfxAes);
        ssl.SetSenha(testPki().ecnpj.password);
    }
};

TEST_F(XmlSignLibXml2WithPfx, SignaturesVerifyUnderTheTestRoot)
{
    // clang-format off
    const struct { const char *file; const char *docElement; const char *infElement; TSSLDgst digest; } cases[] = {
        {"nfe_400.xml",             "NFe",     "infNFe",    dgstSHA1},
        {"nfce_400.xml",            "NFe",     "infNFe",    dgstSHA256},
        {"evento_cancelamento.xml", "evento",  "infEvento", dgstSHA512},
        {"inutilizacao.xml",        "inutNFe", "infInut",   dgstSHA1},
    };
    // clang-format on
    for (const auto &c : cases) {
        ssl.SSLDgst = c.digest;
        const std::string assinado = ssl.Assinar(xmlsigntest::sample(c.file), c.docElement, c.infElement);
        EXPECT_EQ(xmlsecRejectsUnderTestRoot(assinado, c.infElement), "") << c.file;
        EXPECT_NE(assinado.find("<X509Certificate>" + ssl.DadosCertificado().CertificadoDERBase64 + "<"),
                  std::string::npos);

        std::string msgErro = "antes";
        EXPECT_TRUE(ssl.ValidarAssinatura(assinado, msgErro, c.infElement)) << c.file << ": " << msgErro;
        EXPECT_EQ(msgErro, "");
        EXPECT_FALSE(ssl.CertificadoCarregado());
    }
}

TEST_F(XmlSignLibXml2WithPfx, ChangedDocumentsDoNotVerifyAndLeaveNoCertificate)
{
    const std::string assinado = ssl.Assinar(xmlsigntest::sample("nfe_400.xml"), "NFe", "infNFe");
    std::string valorTrocado = assinado;
    valorTrocado.replace(valorTrocado.find("<nNF>4321</nNF>"), 15, "<nNF>4322</nNF>");
    std::string assinaturaTrocada = assinado;
    const std::size_t valor = assinaturaTrocada.find("<SignatureValue>") + 16;
    assinaturaTrocada[valor] = assinaturaTrocada[valor] == 'A' ? 'B' : 'A';

    // clang-format off
    const struct { std::string xml; std::string message; } cases[] = {
        {valorTrocado,      "DigestValue não confere. Conteúdo de \"infNFe\" foi alterado"},
        {assinaturaTrocada, ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        ssl.GarantirCertificadoCarregado();
        std::string msgErro = "antes";
        EXPECT_FALSE(ssl.ValidarAssinatura(c.xml, msgErro, "infNFe"));
        EXPECT_EQ(msgErro, c.message);
        EXPECT_FALSE(ssl.CertificadoCarregado());
    }
    // The configured certificate loads again for the next signature.
    EXPECT_EQ(xmlsecRejectsUnderTestRoot(ssl.Assinar(assinado, "NFe", "infNFe"), "infNFe"), "");
}

TEST_F(XmlSignLibXml2, SigningNeedsACryptLibrary)
{
    try {
        ssl.Assinar(xmlsigntest::sample("nfe_400.xml"), "NFe", "infNFe");
        ADD_FAILURE() << "assinou sem biblioteca de criptografia";
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "\"CalcHash\" não suportado em: TDFeSSLCryptClass");
    }
}

} // namespace
