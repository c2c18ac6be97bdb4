#include "tests/monitor_client/monitor_fixture.h"

#include <filesystem>

namespace {

using Penduradas = MonitorFixture;

const std::string kAceita = "RESULTADO=100\r\nMENSAGEM=Autorizado o uso da NF-e\r\nCHAVENFE=3526\r\n";

TEST_F(Penduradas, RequeuesWaitingNotesAndClearsOnlyAnswersNobodyWillRead)
{
    const std::string outro = "99888777000" + cnpj.substr(9, 3);
    executaComCommit(bancoModulo(),
                     "insert into CONFIGNFE (NOM_EMI, CNPJ_EMI) values ('Filial', '" + outro + "')");
    const std::string estranho = "55444333000" + cnpj.substr(9, 3);
    linhaDanfe(81, 1, 1);
    executaComCommit(bancoModulo(), "update DANFENFE set DATA_ENVIO = '2026-12-01', TIMER_ENVIO = 5 where "
                                    "NRO_NOTA = 81 and COD_FILIAL = " +
                                        cnpj.substr(8, 6));
    linhaDanfe(83, 1, 4, "DANFE IMPRESSO");
    const std::vector<std::string> ficam = {
        "RESP-NOTA001000000082#" + cnpj + ".TXT", // no row yet: inserted
        "resp-email001000000081#" + outro + ".txt",
        "resp-nota000000086#" + cnpj + ".txt", // series-less: left alone
        "resp-nota001000000081#" + cnpj + ".txt",
        "resp-nota001000000084#" + outro + ".txt", // a branch sharing the folder
    };
    const std::vector<std::string> saem = {
        "resp-email001000000081#" + cnpj + ".txt",
        "resp-nota001000000083#" + cnpj + ".txt",     // its note is printed already
        "resp-nota001000000085#" + estranho + ".txt", // no emitter of this database
    };
    for (const auto &nome : ficam)
        troca->write("-resp/" + nome, kAceita);
    for (const auto &nome : saem)
        troca->write("-resp/" + nome, kAceita);

    tela->CodigoNumerico = 777;
    tela->VerificarPenduradas = true;
    tela->Verifica_Notas_Penduradas();

    EXPECT_FALSE(tela->VerificarPenduradas);
    std::vector<std::string> esperadas = ficam;
    std::sort(esperadas.begin(), esperadas.end());
    EXPECT_EQ(respostas(), esperadas);
    const std::string colunas = "STATUS_NFE,DES_STATUS_NFE,DATA_ENVIO,TIMER_ENVIO,NRO_ALEAT_ENVIO";
    EXPECT_EQ(linha(81, 1, colunas), "1|REENVIADA|2026-12-11|3600|<null>");
    EXPECT_EQ(linha(82, 1, colunas), "1|ENVIADA|2026-12-11|3600|777");
    EXPECT_EQ(linha(83, 1, "STATUS_NFE"), "4");
    EXPECT_EQ(linha(86, 0, "STATUS_NFE"), "<none>");
    ASSERT_EQ(tabelas.tblNotas.linhas().size(), 2u);
    EXPECT_EQ(tabelas.tblNotas.linhas()[0].nro_not, "82");
    EXPECT_EQ(tabelas.tblNotas.linhas()[1].nro_not, "81");
    EXPECT_EQ(tela->qryEnviadas.linhas.size(), 2u);

    // The next tick reads the re-queued notes' answers (no print request follows here).
    tela->PedePrintDanfe = nullptr;
    tela->TimerNotaTimer();
    EXPECT_EQ(linha(81, 1, "STATUS_NFE,DES_STATUS_NFE"), "2|CONFIRMADA");
    EXPECT_EQ(linha(82, 1, "STATUS_NFE,DES_STATUS_NFE"), "2|CONFIRMADA");

    // A second check without a new send run does nothing.
    troca->write("-resp/resp-nota001000000085#" + estranho + ".txt", kAceita);
    tela->Verifica_Notas_Penduradas();
    EXPECT_TRUE(
        std::filesystem::exists(troca->path() / "-resp" / ("resp-nota001000000085#" + estranho + ".txt")));
}

} // namespace
