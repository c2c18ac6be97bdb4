#include <gtest/gtest.h>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::runCommand;

struct CasoResposta {
    const char *tipo;
    const char *bytes;
    int saida;
    const char *impresso;
};

TEST(NfeCheckMonitorAnswer, PrintsTheAnswerAsTheNoteScreenReadsIt)
{
    const CasoResposta casos[] = {
        {"Nota",
         "RESULTADO=100\r\nMENSAGEM=Autorizado o uso da NF-e\r\nCHAVENFE=3526\r\nRECIBO=1\r\n"
         "NUMEROLOTE=2\r\nNPROTOCOLO=3\r\n",
         0,
         "RESULTADO=100\nMENSAGEM=\nMENSAGEM_2=Autorizado o uso da NF-e\nCHAVENFE=3526\nRECIBO=1\n"
         "NUMEROLOTE=2\nNPROTOCOLO=3\naceito=sim\n"},
        {"nota", "RESULTADO=204\r\nMENSAGEM=Duplicidade de NF-e: ja existe\r\n", 1,
         "RESULTADO=204\nMENSAGEM=Rejeicao\nMENSAGEM_2= ja existe\nCHAVENFE=\nRECIBO=\nNUMEROLOTE=\n"
         "NPROTOCOLO=\naceito=nao\n"},
        {"Evento", "RESULTADO=135\nMENSAGEM=Evento registrado\nNPROTOCOLO=9\nCHAVENFE=1", 0,
         "RESULTADO=135\nMENSAGEM=\nMENSAGEM_2=Evento registrado\nCHAVENFE=\nRECIBO=\nNUMEROLOTE=\n"
         "NPROTOCOLO=9\naceito=sim\n"},
        {"Danfe", "RESULTADO=ERRO\r\nMENSAGEM=Impress\xE3o falhou\r\n", 1,
         "RESULTADO=0\nMENSAGEM=\nMENSAGEM_2=Impressão falhou\nCHAVENFE=\nRECIBO=\nNUMEROLOTE=\n"
         "NPROTOCOLO=\naceito=nao\n"},
    };
    testsupport::TempDir pasta;
    for (const auto &caso : casos) {
        const auto arquivo = pasta.write("resp.txt", caso.bytes);
        const auto saida =
            runCommand({nfe_check_test::tool(), "monitor-answer", caso.tipo, arquivo.string()});
        EXPECT_EQ(saida.exitCode, caso.saida) << caso.bytes << saida.err;
        EXPECT_EQ(saida.out, caso.impresso) << caso.bytes;
    }
}

TEST(NfeCheckMonitorAnswer, RefusesAnUnknownKindOrAMissingFile)
{
    testsupport::TempDir pasta;
    const auto arquivo = pasta.write("resp.txt", "RESULTADO=100\r\n");
    EXPECT_EQ(runCommand({nfe_check_test::tool(), "monitor-answer", "Manifesto", arquivo.string()}).exitCode,
              2);
    const auto ausente =
        runCommand({nfe_check_test::tool(), "monitor-answer", "Nota", (pasta / "nenhum.txt").string()});
    EXPECT_EQ(ausente.exitCode, 2);
    EXPECT_NE(ausente.err.find("nenhum.txt"), std::string::npos);
}

} // namespace
