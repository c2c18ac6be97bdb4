#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "monitor_client/ui/frm_nfe_2g_view.h"
#include "tests/monitor_client/monitor_fixture.h"
#include "tests/support/qt_ui.h"

namespace {

using NFE_2GView = MonitorFixture;

TEST_F(NFE_2GView, RunsOneSendRunPerShowingAndFollowsTheAnswers)
{
    LinhaNota nota = tabelas.tblNotas.nova();
    nota.nota = 97;
    nota.nro_not = "97";
    nota.nro_serie_not = 1;
    nota.cnpj_emitente = cnpj;
    tabelas.posta(nota);
    int envios = 0;
    tela->PedePrintDanfe = nullptr; // the note stays confirmed: print requests are tested with the core
    // The send run: the note's row in this run, its request handed over and answered.
    tela->NotaEletronica = [&] {
        ++envios;
        executaComCommit(bancoModulo(), "insert into DANFENFE (NRO_NOTA, SERIE_NOTA, COD_FILIAL, STATUS_NFE, "
                                        "DES_STATUS_NFE, DATA_ENVIO, TIMER_ENVIO) values (97, '1', " +
                                            cnpj.substr(8, 6) + ", 1, 'ENVIADA', '" + tela->DataEnvio +
                                            "', " + tela->TimerEnvio + ")");
        entregaNota(97, 1);
    };

    bool respondeu = false;
    testsupport::respondeJanelaModal([&](QWidget *janela) {
        respondeu = true;
        EXPECT_EQ(janela->windowTitle(), QStringLiteral("Nota Fiscal Eletronica - 2G"));
        EXPECT_EQ(janela->size(), QSize(650, 536));
        auto *enviadas = janela->findChild<QTableWidget *>("gridEnviadas");
        auto *danfe = janela->findChild<QTableWidget *>("gridDanfe");
        ASSERT_NE(enviadas, nullptr);
        EXPECT_EQ(janela->findChild<QTableWidget *>("gridImpressa")->columnCount(), 8);
        // The note tick confirms the note: it moves to the middle grid.
        QTRY_COMPARE_WITH_TIMEOUT(danfe->rowCount(), 1, 10000);
        EXPECT_EQ(enviadas->rowCount(), 0);
        EXPECT_EQ(danfe->item(0, 2)->text(), QStringLiteral("CONFIRMADA"));
        // The window becoming active again (a box closed over it) starts no second send run.
        QEvent ativa(QEvent::WindowActivate);
        QApplication::sendEvent(janela, &ativa);
        janela->activateWindow();
        QTest::qWait(50);
        QTest::mouseClick(janela->findChild<QPushButton *>("btnSair"), Qt::LeftButton);
    });
    EXPECT_EQ(MostraNFE_2G(*tela), 1);
    EXPECT_TRUE(respondeu);
    EXPECT_EQ(envios, 1);
    EXPECT_EQ(linha(97, 1, "STATUS_NFE,DES_STATUS_NFE"), "2|CONFIRMADA");
}

TEST_F(NFE_2GView, AFailedValidationFillsTheWindowWithItsMessages)
{
    LinhaNota nota = tabelas.tblNotas.nova();
    nota.nota = 98;
    nota.nro_not = "98";
    nota.serie_not = "100";
    nota.cnpj_emitente = cnpj;
    tabelas.posta(nota);

    testsupport::respondeJanelaModal([&](QWidget *janela) {
        auto *painel = janela->findChild<QFrame *>("pnlErro");
        auto *enviadas = janela->findChild<QTableWidget *>("gridEnviadas");
        auto *impressa = janela->findChild<QTableWidget *>("gridImpressa");
        ASSERT_NE(painel, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(painel->isVisible(), 10000);
        EXPECT_EQ(painel->geometry(),
                  QRect(enviadas->geometry().topLeft(), impressa->geometry().bottomRight()));
        EXPECT_TRUE(janela->findChild<QPlainTextEdit *>("memoerro")
                        ->toPlainText()
                        .contains(QStringLiteral("Serie 100 com mais de 2 digitos / ")));
        QTest::mouseClick(janela->findChild<QPushButton *>("btnSair"), Qt::LeftButton);
    });
    EXPECT_EQ(MostraNFE_2G(*tela), 1);
    EXPECT_EQ(linha(98, 10), "<none>");
}

} // namespace
