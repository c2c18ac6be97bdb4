#include "tests/monitor_client/monitor_fixture.h"

namespace {

class Timers : public MonitorFixture {
  protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        const std::string filial = cnpj.substr(8, 6);
        // The print and e-mail requests of the screen, as the monitor sees them.
        tela->PedePrintDanfe = [this, filial] {
            for (const LinhaNota &nota : tabelas.tblNotas.linhas()) {
                entregaPedido("danfe", std::stoi(nota.nro_not), nota.nro_serie_not);
                executaComCommit(bancoModulo(), "update DANFENFE set STATUS_NFE = 3 where STATUS_NFE = 2 and "
                                                "COD_FILIAL = " +
                                                    filial + " and NRO_NOTA = " + nota.nro_not);
            }
            return true;
        };
        tela->PedeEmail = [this, filial](const std::string &chave, const std::string &email,
                                         const std::string &, const std::string &) {
            emails.push_back(chave + " " + email);
            entregaPedido("email", 91, 1);
            executaComCommit(bancoModulo(),
                             "update DANFENFE set STATUS_NFE = 5 where NRO_NOTA = 91 and COD_FILIAL = " +
                                 filial);
        };
    }

    void carregaNota(int numero, int serie)
    {
        LinhaNota nota = tabelas.tblNotas.nova();
        nota.nota = numero;
        nota.nro_not = std::to_string(numero);
        nota.nro_serie_not = serie;
        nota.cnpj_emitente = cnpj;
        nota.email_NFE = "compras@cliente.com.br";
        tabelas.posta(nota);
        linhaDanfe(numero, serie, 1);
        entregaNota(numero, serie);
    }

    void tickTodos()
    {
        tela->TimerNotaTimer();
        tela->TimerDanfeTimer();
        tela->TimerEmailTimer();
    }

    std::vector<std::string> emails;
};

TEST_F(Timers, FollowANoteUntilMailedAndCloseTheRun)
{
    carregaNota(91, 1);
    tela->AbreGrades();
    ASSERT_EQ(tela->qryEnviadas.linhas.size(), 1u);

    tela->TimerNotaTimer();
    EXPECT_EQ(linha(91, 1, "STATUS_NFE"), "3");
    EXPECT_TRUE(tela->qryEnviadas.vazia());
    tela->TimerDanfeTimer();
    EXPECT_EQ(linha(91, 1, "STATUS_NFE,DES_STATUS_NFE,MENSAGEM_3"), "5|DANFE IMPRESSO|DANFE impresso");
    ASSERT_EQ(emails.size(), 1u);
    EXPECT_EQ(emails[0].substr(0, 20), "352612" + cnpj);
    EXPECT_TRUE(emails[0].ends_with(" compras@cliente.com.br"));
    EXPECT_FALSE(tela->ConcluidoVisivel);

    tela->AbreGrades();
    tela->TimerEmailTimer();
    EXPECT_EQ(linha(91, 1, "STATUS_NFE,MENSAGEM_4"), "5|E-mail enviado");
    EXPECT_TRUE(respostas().empty());
    EXPECT_TRUE(tela->ConcluidoVisivel);
    EXPECT_EQ(tela->lblConcluido, "Nota fiscal eletrônica enviada com sucesso");
    EXPECT_TRUE(tela->TimerFechaAtivo);
    EXPECT_EQ(tela->TimerFechaIntervalo, 4000);
    tela->TimerFechaTimer();
    EXPECT_EQ(tela->ModalResult, 1);
    EXPECT_FALSE(tela->TimerFechaAtivo);
}

TEST_F(Timers, ARefusedNoteKeepsThePanelOpenAndTheScreenWaiting)
{
    roteiro("* reject 225 Falha no Schema XML: campo errado");
    carregaNota(93, 1);
    carregaNota(94, 1);
    tela->AbreGrades();
    tickTodos();
    EXPECT_EQ(linha(93, 1), "1|ENVIADA|225|Rejeicao| campo errado");
    // Two refusals in one tick leave the panel open, on a refused note.
    EXPECT_TRUE(tela->PainelErroVisivel);
    EXPECT_EQ(tela->memoerro,
              "Mensagem de Envio:\r\n campo errado\r\n\r\nMensagem de Danfe:\r\n\r\n\r\nMensagem de "
              "Email:\r\n");
    EXPECT_TRUE(tela->ConcluidoVisivel);
    EXPECT_EQ(tela->lblConcluido, "Nota fiscal eletrônica não enviada");
    tela->TimerFechaIntervalo = 1500;
    tela->TimerFechaTimer();
    EXPECT_EQ(tela->ModalResult, 0);
    EXPECT_EQ(tela->TimerFechaIntervalo, 4000);

    // Double-clicking a grid toggles the panel; the panel's button closes it.
    tela->gridEnviadasDblClick();
    EXPECT_FALSE(tela->PainelErroVisivel);
    tela->gridEnviadasDblClick();
    EXPECT_TRUE(tela->PainelErroVisivel);
    tela->Panel2Click();
    EXPECT_FALSE(tela->PainelErroVisivel);
    // The refused notes stay in state 1, so the run never reports success.
    tela->TimerEmailTimer();
    EXPECT_FALSE(tela->ConcluidoVisivel &&
                 tela->lblConcluido == "Nota fiscal eletrônica enviada com sucesso");
    tela->TimerFechaTimer();
    EXPECT_EQ(tela->ModalResult, 1);
}

TEST_F(Timers, ATickWhileAnotherTickOrOperationRunsReturnsAtOnce)
{
    carregaNota(95, 1);
    tela->AbreGrades();
    int chamadas = 0;
    // A step of the tick (here the print request) that lets the event loop
    // run another tick, as a modal box does.
    tela->PedePrintDanfe = [&] {
        ++chamadas;
        tela->TimerNotaTimer();
        tela->TimerDanfeTimer();
        return false;
    };
    {
        TfrmNFE_2G::Ocupado operacao(*tela);
        tela->TimerNotaTimer();
        EXPECT_EQ(respostas().size(), 1u);
        EXPECT_EQ(linha(95, 1, "STATUS_NFE"), "1");
    }
    tela->TimerNotaTimer();
    EXPECT_EQ(chamadas, 1);
    EXPECT_EQ(linha(95, 1, "STATUS_NFE"), "2");
    EXPECT_FALSE(tela->ocupado());
}

} // namespace
