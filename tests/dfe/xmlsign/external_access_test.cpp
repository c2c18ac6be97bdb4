// Documents that try to read local files or reach the network through
// entities and DTDs, given to signing, verifying and validating alike.

#include <gtest/gtest.h>

#include "dfe/xmlsign/schema_validation.h"
#include "dfe/xmlsign/xmldsig_libxml2.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/dfe/xmlsign/signing_fixture.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"

namespace {

constexpr std::string_view kSegredo = "SEGREDO-LOCAL-7731";

// Everything each operation said, in one text.
std::string allOperations(const std::string &xml)
{
    std::string said;
    xmlsigntest::PemKeyCrypto crypto;
    try {
        said += signXml({xml, "NFe", "infNFe", "", "", dgstSHA1}, crypto);
    } catch (const EQuibDFeException &e) {
        said += e.what();
    }
    std::string msgErro;
    verifyXmlSignature(xml, msgErro, "infNFe", crypto);
    said += "|" + msgErro;
    const std::filesystem::path esquemas = testsupport::officialSchemaDir();
    if (!esquemas.empty()) {
        validateXml(xml, esquemas / "nfe_v4.00.xsd", msgErro);
        said += "|" + msgErro;
    }
    return said;
}

std::string note(std::string_view doctype, std::string_view content)
{
    return std::string(doctype) +
           "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"NFe1\"><x>" +
           std::string(content) + "</x></infNFe></NFe>";
}

TEST(ExternalAccess, NoFileIsReadAndNoRequestLeaves)
{
    testsupport::TempDir pasta;
    const std::string segredo = pasta.write("segredo.txt", std::string(kSegredo)).string();
    const std::string dtdLocal =
        pasta.write("local.dtd", "<!ENTITY lido SYSTEM \"file://" + segredo + "\">").string();
    testsupport::HttpTestServer servidor([](const testsupport::HttpTestRequest &) {
        return testsupport::HttpTestResponse::text(200, "OK", "<!ENTITY remoto \"SEGREDO-REMOTO\">");
    });

    // clang-format off
    const std::string cases[] = {
        note("<!DOCTYPE NFe [<!ENTITY xxe SYSTEM \"file://" + segredo + "\">]>", "&xxe;"),
        note("<!DOCTYPE NFe [<!ENTITY xxe SYSTEM \"" + segredo + "\">]>", "&xxe;"),
        note("<!DOCTYPE NFe SYSTEM \"" + servidor.url("/externo.dtd") + "\">", "texto"),
        note("<!DOCTYPE NFe SYSTEM \"" + dtdLocal + "\">", "&lido;"),
        note("<!DOCTYPE NFe [<!ENTITY % p SYSTEM \"" + servidor.url("/parametro.dtd") + "\"> %p;]>", "&remoto;"),
        note("<!DOCTYPE NFe [<!ENTITY xxe SYSTEM \"" + servidor.url("/entidade") + "\">]>", "&xxe;"),
    };
    // clang-format on
    for (const std::string &xml : cases) {
        const std::string said = allOperations(xml);
        EXPECT_EQ(said.find(kSegredo), std::string::npos) << xml << "\n" << said;
        EXPECT_EQ(said.find("SEGREDO-REMOTO"), std::string::npos) << xml;
    }
    EXPECT_TRUE(servidor.requests().empty());
}

TEST(ExternalAccess, InternalEntitiesExpandButBombsAreRefused)
{
    xmlsigntest::PemKeyCrypto crypto;
    const std::string interna = note("<!DOCTYPE NFe [<!ENTITY nome \"Empresa\">]>", "&nome; Teste");
    EXPECT_NE(signXml({interna, "NFe", "infNFe", "", "", dgstSHA1}, crypto).find("<x>Empresa Teste</x>"),
              std::string::npos);

    std::string bomba = "<!DOCTYPE NFe [<!ENTITY a0 \"rir\">";
    for (int i = 1; i < 12; ++i) {
        const std::string anterior = "&a" + std::to_string(i - 1) + ";";
        std::string dez;
        for (int j = 0; j < 10; ++j)
            dez += anterior;
        bomba += "<!ENTITY a" + std::to_string(i) + " \"" + dez + "\">";
    }
    bomba += "]>";
    const std::string xml = note(bomba, "&a11;");
    try {
        signXml({xml, "NFe", "infNFe", "", "", dgstSHA1}, crypto);
        ADD_FAILURE() << "bomba aceita";
    } catch (const EQuibDFeException &e) {
        EXPECT_TRUE(
            std::string(e.what()).starts_with("Erro: Falha ao interpretar o XML \"xmlParseDoc\" --> "))
            << e.what();
    }
    std::string msgErro;
    EXPECT_FALSE(validateXml(xml, xmlsigntest::schemaFile("nfe_v4.00.xsd"), msgErro));
    EXPECT_TRUE(msgErro.starts_with("Erro: Falha ao interpretar o XML \"xmlParseDoc\" --> ")) << msgErro;
}

} // namespace
