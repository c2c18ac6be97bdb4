#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
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

TEST(NfeCheckSign, SignedNoteVerifiesHereAndWithXmlsec)
{
    if (!testsupport::hasProgram("xmlsec1"))
        GTEST_SKIP() << "xmlsec1 ausente";
    const testsupport::TestPki &pki = testsupport::testPki();
    testsupport::TempDir pasta;
    const std::string nota =
        (testsupport::sourceDir() / "tests" / "dfe" / "data" / "evento_cancelamento.xml").string();

    const auto assinado = runCommand({tool(), "sign", nota, pki.ecnpj.pfxRc2, pki.ecnpj.password, "evento",
                                      "infEvento", "--digest", "sha256"});
    ASSERT_EQ(assinado.exitCode, 0) << assinado.err;
    EXPECT_NE(assinado.out.find("xmldsig-more#rsa-sha256"), std::string::npos);
    const std::string arquivo = pasta.write("assinado.xml", assinado.out).string();
    const auto xmlsec =
        runCommand({"xmlsec1", "--verify", "--trusted-pem", pki.root.certPem, "--untrusted-pem",
                    pki.intermediate.certPem, "--id-attr:Id", "infEvento", arquivo});
    EXPECT_EQ(xmlsec.exitCode, 0) << xmlsec.err;

    std::string alterado = assinado.out;
    alterado.replace(alterado.find("<nSeqEvento>1<"), 14, "<nSeqEvento>2<");
    // clang-format off
    const struct { std::vector<std::string> args; int exitCode; std::string out; } cases[] = {
        {{arquivo, "infEvento"}, 0, "valid\n"},
        {{pasta.write("alterado.xml", alterado).string(), "infEvento"}, 1,
         "invalid\nDigestValue não confere. Conteúdo de \"infEvento\" foi alterado\n"},
        {{nota, "infEvento"}, 1, "invalid\nErro: Falha ao localizar o nó de Assinatura\n"},
    };
    // clang-format on
    for (const auto &c : cases) {
        std::vector<std::string> argv = {tool(), "verify"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto result = runCommand(argv);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0];
        EXPECT_EQ(result.out, c.out) << c.args[0];
    }
}

TEST(NfeCheckSign, SignRefusesAWrongPasswordWithTheMessage)
{
    const testsupport::TestPki &pki = testsupport::testPki();
    const std::string nota = (testsupport::sourceDir() / "tests" / "dfe" / "data" / "nfe_400.xml").string();
    const auto result = runCommand({tool(), "sign", nota, pki.ecnpj.pfxAes, "senha errada"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
}

} // namespace
