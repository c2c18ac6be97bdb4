// nfe-check danfe-escpos: the thermal DANFE and its receipts from files.

#include <string>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_nfce_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/tools/nfe_check_paths.h"

using nfe_check_test::tool;
using testsupport::runCommand;

namespace {

class NfeCheckDanfeEscPos : public ::testing::Test {
  protected:
    void SetUp() override
    {
        TNFe nfe;
        testsupport::fillNfceFixture(nfe, "autorizada");
        qrCode = nfe.infNFeSupl.qrCode;
        nota = dir.write("nfce.xml", testsupport::nfceXml(nfe)).string();
    }
    static std::string golden(const std::string &nome)
    {
        return testsupport::testData("data/printing/danfe/" + nome + ".txt");
    }
    testsupport::TempDir dir;
    std::string nota;
    std::string qrCode;
};

TEST_F(NfeCheckDanfeEscPos, TagsAreTheGoldensAndBytesDecodeToTheQrCode)
{
    const auto largo = runCommand({tool(), "danfe-escpos", nota, "EscPosEpson", "--tags"});
    ASSERT_EQ(largo.exitCode, 0) << largo.err;
    EXPECT_EQ(largo.out, golden("autorizada_64"));
    const auto estreito = runCommand(
        {tool(), "danfe-escpos", nota, "EscPosEpson", "--no-condensed", "--columns", "42", "--tags"});
    EXPECT_EQ(estreito.out, golden("autorizada_42"));

    const auto bytes = runCommand({tool(), "danfe-escpos", nota, "EscPosEpson", "--code-page", "1252"});
    ASSERT_EQ(bytes.exitCode, 0) << bytes.err;
    const testsupport::EscPosReceipt recibo = testsupport::decodeEscPos(bytes.out);
    ASSERT_EQ(recibo.qrCodes.size(), 1U);
    EXPECT_EQ(recibo.qrCodes[0].data, qrCode);
    EXPECT_NE(recibo.text().find("JOÃO DA SILVA"), std::string::npos) << recibo.text();
}

TEST_F(NfeCheckDanfeEscPos, EventAndVoidingReceipts)
{
    const std::string evento = (testsupport::sourceDir() / "tests/data/printing/danfe/evento.xml").string();
    const std::string inutilizacao =
        (testsupport::sourceDir() / "tests/data/printing/danfe/inutilizacao.xml").string();
    const auto comEvento =
        runCommand({tool(), "danfe-escpos", nota, "EscPosEpson", "--event", evento, "--tags"});
    ASSERT_EQ(comEvento.exitCode, 0) << comEvento.err;
    EXPECT_EQ(comEvento.out, golden("evento_64"));

    const auto semNota =
        runCommand({tool(), "danfe-escpos", "-", "EscPosEpson", "--voiding", inutilizacao, "--tags"});
    ASSERT_EQ(semNota.exitCode, 0) << semNota.err;
    EXPECT_EQ(semNota.out.find("CNPJ"), std::string::npos);
    EXPECT_NE(semNota.out.find("NUM. INUTILIZADA: 130 a 140"), std::string::npos);
}

TEST_F(NfeCheckDanfeEscPos, FailuresAndWrongArgumentsHaveTheirExitCodes)
{
    const std::string vazio = dir.write("vazio.xml", "<?xml version=\"1.0\"?><nada/>").string();
    const auto semNota = runCommand({tool(), "danfe-escpos", vazio, "EscPosEpson"});
    EXPECT_EQ(semNota.exitCode, 1);
    EXPECT_EQ(semNota.out, "");
    EXPECT_EQ(semNota.err, "XML da NFe não informado, obrigatório para o modelo ESCPOS\n");

    const auto eventoVazio = runCommand({tool(), "danfe-escpos", nota, "EscPosEpson", "--event", vazio});
    EXPECT_EQ(eventoVazio.exitCode, 1);
    EXPECT_EQ(eventoVazio.out, "");
    EXPECT_EQ(eventoVazio.err, "Arquivo de Evento não informado!\n");

    for (const auto &args : std::vector<std::vector<std::string>>{
             {nota, "Impressora"},
             {"-", "EscPosEpson"},
             {nota, "EscPosEpson", "--event", nota, "--voiding", nota},
             {nota, "EscPosEpson", "--columns", "0"},
             {nota, "EscPosEpson", "--code-page", "1251"},
         }) {
        std::vector<std::string> linha = {tool(), "danfe-escpos"};
        linha.insert(linha.end(), args.begin(), args.end());
        const auto result = runCommand(linha);
        EXPECT_EQ(result.exitCode, 2) << args[1];
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
