// nfe-check txt: a note in the TXT layout read and written as XML.
#include <string>

#include <gtest/gtest.h>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"

using nfe_check_test::dataFile;
using nfe_check_test::tool;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;

namespace {

// The TXT file of the note of nfe_400_modelo_assinatura.xml, in Windows-1252,
// with an accented product description and observation.
const char *const kNotaTxt = "nfe_400.txt";

} // namespace

// The note read from the TXT file, signed with a throw-away key, passes the
// official schema; its accents came in from Windows-1252 and were folded.
TEST(NfeCheckTxt, NoteFromTxtPassesTheSchemaAfterSigning)
{
    const auto schemas = testsupport::officialSchemaDir();
    if (schemas.empty())
        GTEST_SKIP() << "Esquemas oficiais (schemas/PL_009_V4) ausentes: validação não executada";

    const CommandResult result = runCommand({tool(), "txt", dataFile(kNotaTxt)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_NE(result.out.find("<xProd>ACUCAR CRISTAL 1KG</xProd>"), std::string::npos) << result.out;

    // The empty signature block of the same note.
    const std::string modelo = readFile(dataFile("nfe_400_modelo_assinatura.xml"));
    const std::size_t inicio = modelo.find("<Signature");
    const std::size_t fim = modelo.find("</Signature>");
    ASSERT_NE(fim, std::string::npos);
    const std::string assinatura = modelo.substr(inicio, fim + 12 - inicio);
    const std::string assinada =
        testsupport::signWithThrowAwayKey(result.out, assinatura, "</NFe>", "infNFe");
    EXPECT_EQ(testsupport::schemaProblems(assinada, schemas / "nfe_v4.00.xsd"), "") << assinada;
}

TEST(NfeCheckTxt, RefusedFilesGiveTheReadersMessage)
{
    const std::string nota = readFile(dataFile(kNotaTxt));
    struct Case {
        const char *name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"xml.txt", "<NFe/>", "cabeçalho ausente ou versão do leiaute desconhecida"},
        {"versao.txt", "NOTAFISCAL|1\r\nA|4.0|NFe35\r\n",
         "cabeçalho ausente ou versão do leiaute desconhecida"},
        {"so_cabecalho.txt", "NOTAFISCAL|1\r\n", "sem a linha da versão do leiaute"},
        {"data.txt", "NOTAFISCAL|1\r\nA|2.00|NFe35\r\nB|35|1|VENDA|0|55|1|1|2019-13-01\r\n",
         "Erro ao ler o campo dEmi. Conteúdo inválido = 2019-13-01"},
        {"duas.txt", nota + nota.substr(nota.find("A|")), "mais de uma nota"},
    };
    testsupport::TempDir folder;
    for (const Case &c : cases) {
        const CommandResult result = runCommand({tool(), "txt", folder.write(c.name, c.text).string()});
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.name << ": " << result.err;
    }
    const CommandResult missing = runCommand({tool(), "txt", (folder / "nao_existe.txt").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Arquivo não encontrado"), std::string::npos) << missing.err;
}
