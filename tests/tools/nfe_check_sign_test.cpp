#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"

namespace {

using testsupport::runCommand;

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

TEST(NfeCheckSign, ValidatePrintsValidOrTheMessage)
{
    const std::filesystem::path esquemas = testsupport::officialSchemaDir();
    if (esquemas.empty() || !testsupport::hasProgram("xmlsec1"))
        GTEST_SKIP() << "esquemas oficiais ou xmlsec1 ausentes";
    testsupport::TempDir pasta;
    // The note of tests/tools/data with its empty signature block taken out.
    const std::string comModelo = testsupport::readFile(testsupport::sourceDir() / "tests" / "tools" /
                                                        "data" / "nfe_400_modelo_assinatura.xml");
    const std::size_t inicio = comModelo.find("<Signature");
    const std::size_t fim = comModelo.find("</Signature>") + 12;
    const std::string modelo = comModelo.substr(inicio, fim - inicio);
    const std::string nota = comModelo.substr(0, inicio) + comModelo.substr(fim);
    const std::string assinada = testsupport::signWithThrowAwayKey(nota, modelo, "</NFe>", "infNFe");
    const std::string esquema = (esquemas / "nfe_v4.00.xsd").string();

    // clang-format off
    const struct { std::string file; std::string xsd; int exitCode; std::string out; std::string err; } cases[] = {
        {pasta.write("assinada.xml", assinada).string(), esquema, 0, "valid\n", ""},
        {pasta.write("sem_assinatura.xml", nota).string(), esquema, 1,
         " --> 1871 - Element '{http://www.portalfiscal.inf.br/nfe}NFe': Missing child element(s). Expected is "
         "one of ( {http://www.portalfiscal.inf.br/nfe}infNFeSupl, {http://www.w3.org/2000/09/xmldsig#}Signature ).\n", ""},
        {pasta.write("a.xml", assinada).string(), (pasta.path() / "falta.xsd").string(), 1, "",
         "Arquivo \r\n" + (pasta.path() / "falta.xsd").string() + "\r\nNão encontrado\n"},
    };
    // clang-format on
    for (const auto &c : cases) {
        const auto result = runCommand({tool(), "validate", c.file, c.xsd});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.file;
        EXPECT_EQ(result.out, c.out) << c.file;
        EXPECT_EQ(result.err, c.err) << c.file;
    }
}

} // namespace
