#include "tests/monitor_client/envio_fixture.h"

#include "app/dados/dtm_nfe_grd.h"
#include "foundation/dates/date_time.h"
#include "tests/support/scoped_env.h"

#include <filesystem>

namespace {

constexpr const char *kChave = "3526121122233300018155001000000123100000001";

class Pedidos : public EnvioFixture {
  protected:
    void SetUp() override
    {
        EnvioFixture::SetUp();
        linhaDanfe(123, 1, 2, "CONFIRMADA");
        executaComCommit(bancoModulo(), std::string("update DANFENFE set CHAVE_NFE = '") + kChave +
                                            "' where NRO_NOTA = 123");
        tela->AjustaCnpj_do_Emitente(cnpj);
        modulo->SelectFile("2", "DANFENFE", "NRO_NOTA = ?", {123});
    }

    std::vector<std::string> valores(const testsupport::MonitorRequest &requisicao, const std::string &chave)
    {
        std::vector<std::string> lidos;
        for (const auto &linha : requisicao.lines)
            if (linha.key == chave)
                lidos.push_back(linha.value);
        return lidos;
    }
};

TEST_F(Pedidos, PrinterLinesFollowTheCopiesSetting)
{
    modulo->tblListPrint.clear();
    for (const auto &[impressora, copias] : {std::pair{"Balcao", 2}, std::pair{"Caixa", 1}}) {
        modulo->tblListPrint.append();
        modulo->tblListPrint.setField("printSetup", impressora);
        modulo->tblListPrint.setField("nCopia", copias);
    }
    const struct {
        const char *configuracao;
        int copias;
        std::vector<std::string> impressoras;
    } casos[] = {
        {"NRO_COPIAS1 = 0, PATH_PRINT_1 = 'P1', PATH_PRINT_2 = NULL, PATH_PRINT_3 = NULL", 0, {"P1", "P1"}},
        {"NRO_COPIAS1 = 7, PATH_PRINT_1 = 'P1', PATH_PRINT_2 = 'P2', PATH_PRINT_3 = 'P3'",
         0,
         {"P1", "P1", "P2", "P3"}},
        {"NRO_COPIAS1 = 100, PATH_PRINT_1 = 'P1'", 0, {}},
        {"NRO_COPIAS1 = 100, PATH_PRINT_1 = 'P1'", 3, {"P1", "P1", "P1"}},
        {"NRO_COPIAS1 = 101", 0, {"Balcao", "Balcao", "Caixa"}},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.configuracao);
        emitente(caso.configuracao);
        tela->AjustaCnpj_do_Emitente(cnpj);
        tela->NumeroCopias = caso.copias;
        modulo->SelectFile("2", "DANFENFE", "NRO_NOTA = ?", {123});
        ASSERT_TRUE(tela->EnviarPrintDanfe(kChave));
        monitor->processPending();
        const auto &requisicao = monitor->requests().back();
        EXPECT_EQ(requisicao.name, "danfe001000000123#" + cnpj + ".txt");
        EXPECT_EQ(requisicao.value("ChaveNFE"), kChave);
        EXPECT_EQ(valores(requisicao, "Impressora"), caso.impressoras);
        EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE"), "3|ENVIADA P/ IMPRESSAO");
    }
}

TEST_F(Pedidos, AFailedPrintOrMailRequestLeavesTheStateAndWarns)
{
    std::filesystem::remove_all(troca->path() / "-fil");
    EXPECT_FALSE(tela->EnviarPrintDanfe(kChave));
    EXPECT_FALSE(tela->EnviarEmail(kChave, "a@b.com.br", "", "", true));
    EXPECT_EQ(linha(123, 1, "STATUS_NFE,EMAIL_ENVIO"), "2|<null>");
    ASSERT_EQ(caixas->shown.size(), 2u);
    for (const std::string &caixa : caixas->shown) {
        EXPECT_TRUE(caixa.starts_with("atencao: ATENÇÃO")) << caixa;
        EXPECT_NE(caixa.find("#" + cnpj + ".txt\" não entregue ao monitor"), std::string::npos) << caixa;
    }
}

TEST_F(Pedidos, PrintOfEveryLoadedNoteInStateTwo)
{
    EXPECT_TRUE(tela->EnviarPrintDanfe(""));
    EXPECT_EQ(linha(123, 1, "STATUS_NFE"), "3");
    EXPECT_FALSE(tela->EnviarPrintDanfe("")); // none left in state 2
    monitor->processPending();
    EXPECT_EQ(quantosPedidos("danfe"), 1);
}

TEST_F(Pedidos, MailRecipientsAndRecordedAddresses)
{
    executaComCommit(bancoModulo(), "update DANFENFE set EMAIL_TRANSP = 'frete@transp.com.br' "
                                    "where NRO_NOTA = 123");
    modulo->SelectFile("2", "DANFENFE", "NRO_NOTA = ?", {123});

    EXPECT_FALSE(tela->EnviarEmail(kChave, "x@y.com.br", "", "", false));
    monitor->processPending();
    EXPECT_EQ(quantosPedidos("email"), 0);
    EXPECT_EQ(linha(123, 1, "STATUS_NFE"), "2");

    EXPECT_TRUE(tela->EnviarEmail(kChave, "", "", "", true));
    monitor->processPending();
    const auto *requisicao = pedido("email");
    ASSERT_NE(requisicao, nullptr);
    EXPECT_EQ(requisicao->name, "email001000000123#" + cnpj + ".txt");
    EXPECT_EQ(
        valores(*requisicao, "destinatario"),
        (std::vector<std::string>{"frete@transp.com.br", "-Danfes\\", tela->PastaComunicacao + "XmlTmp/"}));
    EXPECT_EQ(requisicao->value("assunto"), "N.F.E. 123 emitida por EMITENTE EXEMPLO LTDA");
    EXPECT_EQ(requisicao->value("anexoPdf"), "sim");
    EXPECT_EQ(requisicao->value("anexoProtocolo"), "sim");
    EXPECT_TRUE(std::filesystem::is_directory(troca->path() / "XmlTmp"));
    EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE,EMAIL_ENVIO,EMAIL_TRANSP"),
              "5|DANFE IMPRESSO / XML / EMAIL|<null>|frete@transp.com.br");

    modulo->SelectFile("2", "DANFENFE", "NRO_NOTA = ?", {123});
    EXPECT_TRUE(tela->EnviarEmail(kChave, "", "segundo@cliente.com.br", "", true));
    EXPECT_EQ(linha(123, 1, "EMAIL_ENVIO"), "segundo@cliente.com.br");
}

TEST_F(Pedidos, CancelledNotePrintAlwaysNamesOnePrinter)
{
    emitente("PATH_PRINT_1 = NULL, PATH_PRINT_2 = NULL, PATH_PRINT_3 = NULL");
    EXPECT_FALSE(tela->EnviarPrintDanfeCancelada("", "123", "1"));
    EXPECT_TRUE(tela->EnviarPrintDanfeCancelada(kChave, "123", "1"));
    monitor->processPending();
    const auto *requisicao = pedido("danfe");
    ASSERT_NE(requisicao, nullptr);
    EXPECT_EQ(valores(*requisicao, "Impressora"), std::vector<std::string>{""});
    EXPECT_EQ(caixas->shown,
              std::vector<std::string>{std::string(TfrmNFE_2G::kTitulo) + ": Envio concluido com sucesso"});
    EXPECT_EQ(linha(123, 1, "STATUS_NFE"), "2");
}

TEST_F(Pedidos, ExportXmlWaitsUpToSixtySeconds)
{
    int esperas = 0;
    setSleep([&](std::chrono::milliseconds) {
        ++esperas;
        monitor->processPending();
    });
    roteiro("email* never");
    EXPECT_FALSE(tela->ExportXML(kChave, "contador@escritorio.com.br", 123, 1));
    EXPECT_EQ(esperas, 60);
    const auto *requisicao = pedido("email");
    ASSERT_NE(requisicao, nullptr);
    EXPECT_EQ(requisicao->value("assunto"), "Exportacao XML Nota 123");
    EXPECT_EQ(requisicao->value("destinatario"), "contador@escritorio.com.br");

    esperas = 0;
    roteiro("");
    tela->ExportXML(kChave, "contador@escritorio.com.br", 123, 1);
    EXPECT_EQ(esperas, 1);
    EXPECT_TRUE(respostas().empty());
    resetSleep();
}

TEST_F(Pedidos, OpenPdfCopiesIntoTheTemporaryFolderAndOpensOnlyPdfs)
{
    testsupport::TempDir casa;
    testsupport::ScopedEnv home("KVL_DRIVE_C", casa.path().string());
    std::vector<std::string> abertos;
    tela->AbreArquivoNoShell = [&](const std::string &arquivo) { abertos.push_back(arquivo); };
    std::filesystem::create_directories(troca->path() / "pdf");
    casa.write("origem/Danfe123.pdf", "%PDF-1.4");
    casa.write("origem/script.sh", "#!/bin/sh");

    tela->OpenPdf("C:\\origem\\Danfe123.pdf");
    ASSERT_EQ(abertos.size(), 1u);
    EXPECT_EQ(abertos[0], (casa.path() / "drivekvl/temp/Danfe123.pdf").string());
    EXPECT_TRUE(std::filesystem::exists(abertos[0]));

    tela->OpenPdf("C:\\origem\\script.sh");
    tela->OpenPdf("C:\\origem\\falta.pdf");
    EXPECT_EQ(abertos.size(), 1u);
    ASSERT_EQ(caixas->shown.size(), 2u);
    EXPECT_NE(caixas->shown[0].find("PDF \"C:\\origem\\script.sh\" não aberto: não é um arquivo PDF"),
              std::string::npos);
    EXPECT_NE(caixas->shown[1].find("não aberto: a cópia para"), std::string::npos);
}

} // namespace
