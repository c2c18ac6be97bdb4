#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"

#include <gtest/gtest.h>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/xmlsign/signing_fixture.h"
#include "tests/support/xml_checks.h"

namespace {

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
