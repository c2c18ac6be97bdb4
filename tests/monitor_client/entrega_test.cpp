#include "tests/monitor_client/monitor_fixture.h"

#include "monitor_client/erro_entrega.h"
#include "tests/support/child_process.h"
#include "tests/support/run_command.h"

#include <filesystem>
#include <sstream>

namespace {

using Entrega = MonitorFixture;

TEST_F(Entrega, ReportsARequestThatCannotReachTheMonitor)
{
    std::filesystem::remove_all(troca->path() / "-fil");
    tela->Nome_dos_arquivos("nota", "-fil", 1, 5);
    try {
        tela->EntregaRequisicao(linhasNota(5, 1, cnpj));
        FAIL() << "handed over without a -fil folder";
    } catch (const EEntregaMonitor &e) {
        EXPECT_NE(std::string(e.what()).find("nota001000000005#" + cnpj + ".txt"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("não existe"), std::string::npos) << e.what();
    }
    // The local copy was written all the same, its folder made on demand.
    EXPECT_TRUE(std::filesystem::exists(tela->ArquivoLocal)) << tela->ArquivoLocal;
    EXPECT_EQ(tela->ArquivoLocal,
              (dados->path() / "nfe-console" / "monitor" / "-fil" / ("nota001000000005#" + cnpj + ".txt"))
                  .string());
    // Windows-1252 with CR LF.
    EXPECT_EQ(testsupport::readFile(tela->ArquivoLocal).substr(0, 7), "[ide]\r\n");
}

TEST_F(Entrega, RequestsAppearInTheExchangeFolderOnlyByRename)
{
    if (!testsupport::hasProgram("inotifywait"))
        GTEST_SKIP() << "inotifywait is not installed";
    const std::string fil = (troca->path() / "-fil").string();
    testsupport::ChildProcess vigia(
        {"inotifywait", "-m", "-e", "create,moved_to,close_write", "--format", "%e %f", fil});
    ASSERT_NE(vigia.readUntil("Watches established.", std::chrono::seconds(10)).find("Watches established."),
              std::string::npos);
    for (int numero = 1; numero <= 3; ++numero) {
        tela->Nome_dos_arquivos("nota", "-fil", 1, numero);
        tela->EntregaRequisicao(linhasNota(numero, 1, cnpj));
    }
    const std::string ultimo = "nota001000000003#" + cnpj + ".txt";
    const std::string eventos = vigia.readUntil("MOVED_TO " + ultimo, std::chrono::seconds(10));
    vigia.stop(SIGTERM);
    std::istringstream linhas(eventos);
    int renomeadas = 0;
    for (std::string linha; std::getline(linhas, linha);) {
        if (linha.starts_with("MOVED_TO ")) {
            ++renomeadas;
            EXPECT_TRUE(linha.ends_with(".txt")) << linha;
        } else if (linha.starts_with("CREATE ") || linha.starts_with("CLOSE_WRITE")) {
            EXPECT_TRUE(linha.ends_with(".tmp") && linha.find(" ~nota") != std::string::npos) << linha;
        }
    }
    EXPECT_EQ(renomeadas, 3) << eventos;
}

TEST_F(Entrega, TheMonitorAsAChildProgramAnswersWhileTheClientWrites)
{
    testsupport::ChildProcess monitorFilho({(testsupport::binaryDir() / "bin" / "fake-monitor").string(),
                                            "--db", bancoModulo(), "--poll", "50"});
    const std::string pasta = troca->path().string();
    ASSERT_NE(monitorFilho.readUntil("watching " + pasta, std::chrono::seconds(20)).find("watching " + pasta),
              std::string::npos)
        << monitorFilho.output();
    for (int numero = 101; numero <= 103; ++numero) {
        linhaDanfe(numero, 1, 1);
        tela->AjustaCnpj_do_Emitente(cnpj);
        tela->Nome_dos_arquivos("nota", "-fil", 1, numero);
        tela->EntregaRequisicao(linhasNota(numero, 1, cnpj));
    }
    for (int numero = 101; numero <= 103; ++numero) {
        EXPECT_EQ(tela->AguardaRetorno("Nota", "", "", numero, 1, 100, 100), 2) << monitorFilho.output();
        EXPECT_EQ(linha(numero, 1, "STATUS_NFE,DES_STATUS_NFE"), "2|CONFIRMADA");
    }
    monitorFilho.stop(SIGTERM);
}

} // namespace

namespace {

TEST_F(Entrega, AStoredWindowsFolderIsOpenedThroughTheDriveMapping)
{
    std::filesystem::create_directories(troca->path() / "Troca");
    testsupport::ScopedEnv drive("KVL_DRIVE_Q", troca->path().string());
    testsupport::FakeMonitor::Options opcoes;
    opcoes.folders = {"Q:\\TROCA\\"};
    testsupport::FakeMonitor monitorQ(opcoes);
    linhaDanfe(111, 1, 1);
    tela->PastaComunicacao = "Q:\\TROCA\\";
    tela->Nome_dos_arquivos("nota", "-fil", 1, 111);
    EXPECT_EQ(tela->ArquivoMonitor, "Q:\\TROCA\\-fil\\nota001000000111#" + cnpj + ".txt");
    tela->EntregaRequisicao(linhasNota(111, 1, cnpj));
    ASSERT_EQ(monitorQ.processPending().size(), 1u);
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 111, 1), 2);
    EXPECT_EQ(linha(111, 1, "STATUS_NFE"), "2");
    EXPECT_TRUE(std::filesystem::is_empty(troca->path() / "Troca" / "-resp"));
}

} // namespace
