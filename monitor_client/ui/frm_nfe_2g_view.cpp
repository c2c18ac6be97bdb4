#include "monitor_client/ui/frm_nfe_2g_view.h"

#include "app/dialogs/dialogos.h"
#include "app/ui/texto_qt.h"
#include "foundation/base/quib_exception.h"
#include "monitor_client/frm_nfe_2g.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kLargura = 650;
constexpr int kAltura = 536;

QTimer *criaTimer(QObject *dono, const char *nome, int intervalo)
{
    auto *timer = new QTimer(dono);
    timer->setObjectName(nome);
    timer->setInterval(intervalo);
    return timer;
}

void ligaTimer(QTimer *timer, bool ativo)
{
    if (ativo && !timer->isActive())
        timer->start();
    else if (!ativo && timer->isActive())
        timer->stop();
}

} // namespace

TfrmNFE_2GView::TfrmNFE_2GView(TfrmNFE_2G &core, QWidget *parent) : QDialog(parent), core_(core)
{
    setObjectName("frmNFE_2G");
    setWindowTitle(QStringLiteral("Nota Fiscal Eletronica - 2G"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kLargura, kAltura);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    auto *topo = new QFrame(this);
    topo->setObjectName("Panel1");
    topo->setFixedHeight(45);
    btnSair = new QPushButton(QStringLiteral("Sair"), topo);
    btnSair->setObjectName("btnSair");
    btnSair->setToolTip(QStringLiteral("Fechar a Janela"));
    btnSair->setGeometry(8, 8, 90, 29);
    lblConcluido = new QLabel(topo);
    lblConcluido->setObjectName("lblConcluido");
    lblConcluido->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 13px;"));
    lblConcluido->setGeometry(110, 12, 500, 22);
    lblConcluido->hide();
    layout->addWidget(topo);

    gridEnviadas = criaGrade("gridEnviadas", 136, false, "Mensagem do envio");
    gridDanfe = criaGrade("gridDanfe", 160, false, "Mensagem de impressão");
    gridImpressa = criaGrade("gridImpressa", 152, true, "Mensagem do email");
    layout->addWidget(gridEnviadas);
    layout->addWidget(gridDanfe);
    layout->addWidget(gridImpressa);
    layout->addStretch();

    pnlErro = new QFrame(this);
    pnlErro->setObjectName("pnlErro");
    pnlErro->setFrameShape(QFrame::Panel);
    pnlErro->setAutoFillBackground(true);
    auto *painel = new QVBoxLayout(pnlErro);
    painel->setContentsMargins(0, 0, 0, 0);
    memoerro = new QPlainTextEdit(pnlErro);
    memoerro->setObjectName("memoerro");
    memoerro->setReadOnly(true);
    memoerro->setStyleSheet(QStringLiteral("color: maroon;"));
    memoerro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *Panel2 = new QPushButton(QStringLiteral("Ok - Fechar Painel de Mensagens"), pnlErro);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(33);
    painel->addWidget(memoerro);
    painel->addWidget(Panel2);
    pnlErro->hide();

    TimerNota = criaTimer(this, "TimerNota", 1000);
    TimerDanfe = criaTimer(this, "TimerDanfe", 1000);
    TimerEmail = criaTimer(this, "TimerEmail", 1000);
    TimerFecha = criaTimer(this, "TimerFecha", 5000);

    connect(btnSair, &QPushButton::clicked, this, [this] { executa([this] { core_.btnSairClick(); }); });
    connect(Panel2, &QPushButton::clicked, this, [this] { executa([this] { core_.Panel2Click(); }); });
    const auto clique = [this](QTableWidget *grade, GradeDanfe &linhas, void (TfrmNFE_2G::*toggle)()) {
        connect(grade, &QTableWidget::cellDoubleClicked, this, [this, &linhas, toggle](int linha, int) {
            linhas.atual = static_cast<std::size_t>(linha);
            executa([this, toggle] { (core_.*toggle)(); });
        });
    };
    clique(gridEnviadas, core_.qryEnviadas, &TfrmNFE_2G::gridEnviadasDblClick);
    clique(gridDanfe, core_.qryDanfe, &TfrmNFE_2G::gridDanfeDblClick);
    clique(gridImpressa, core_.qryImpresso_Email, &TfrmNFE_2G::gridImpressaDblClick);
    connect(TimerNota, &QTimer::timeout, this, [this] { executa([this] { core_.TimerNotaTimer(); }); });
    connect(TimerDanfe, &QTimer::timeout, this, [this] { executa([this] { core_.TimerDanfeTimer(); }); });
    connect(TimerEmail, &QTimer::timeout, this, [this] { executa([this] { core_.TimerEmailTimer(); }); });
    connect(TimerFecha, &QTimer::timeout, this, [this] { executa([this] { core_.TimerFechaTimer(); }); });
}

QTableWidget *TfrmNFE_2GView::criaGrade(const char *nome, int altura, bool comEmail, const char *ultimaColuna)
{
    QStringList titulos = {QStringLiteral("Nota fiscal"), QStringLiteral("S"), QStringLiteral("Status"),
                           QStringLiteral("Chave da NFE"), QStringLiteral("Retorno")};
    if (comEmail)
        titulos << QStringLiteral("Email");
    titulos << QStringLiteral(" ") << QString::fromUtf8(ultimaColuna);
    auto *grade = new QTableWidget(0, static_cast<int>(titulos.size()), this);
    grade->setObjectName(nome);
    grade->setHorizontalHeaderLabels(titulos);
    grade->setFixedHeight(altura);
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->verticalHeader()->hide();
    return grade;
}

void TfrmNFE_2GView::preencheGrade(QTableWidget *grade, const GradeDanfe &linhas, bool comEmail,
                                   bool impressao)
{
    grade->setRowCount(static_cast<int>(linhas.linhas.size()));
    for (std::size_t i = 0; i < linhas.linhas.size(); ++i) {
        const LinhaDanfe &linha = linhas.linhas[i];
        std::vector<std::string> valores = {std::to_string(linha.nroNota), linha.serie, linha.desStatus,
                                            linha.chave, linha.resultado};
        if (comEmail)
            valores.push_back(linha.emailEnvio);
        valores.push_back(linha.mensagem);
        valores.push_back(comEmail ? linha.mensagem4 : impressao ? linha.mensagem3 : linha.mensagem2);
        for (std::size_t c = 0; c < valores.size(); ++c)
            grade->setItem(static_cast<int>(i), static_cast<int>(c),
                           new QTableWidgetItem(paraQString(valores[c])));
    }
    if (!linhas.linhas.empty())
        grade->selectRow(static_cast<int>(linhas.atual));
}

void TfrmNFE_2GView::mostra()
{
    preencheGrade(gridEnviadas, core_.qryEnviadas, false, false);
    preencheGrade(gridDanfe, core_.qryDanfe, false, true);
    preencheGrade(gridImpressa, core_.qryImpresso_Email, true, false);
    lblConcluido->setText(paraTela(core_.lblConcluido));
    lblConcluido->setVisible(core_.ConcluidoVisivel);
    if (core_.PainelErroVisivel) {
        // The validation of the send run fills the window below the top panel;
        // the grids' toggle uses the normal place.
        if (core_.PainelErroInteiro)
            pnlErro->setGeometry(gridEnviadas->x(), gridEnviadas->y(), gridEnviadas->width(),
                                 gridImpressa->geometry().bottom() - gridEnviadas->y() + 1);
        else
            pnlErro->setGeometry(144, 152, 321, 225);
        memoerro->setPlainText(paraTela(core_.memoerro));
        pnlErro->raise();
    }
    pnlErro->setVisible(core_.PainelErroVisivel);
    ligaTimer(TimerNota, core_.TimerNotaAtivo);
    ligaTimer(TimerDanfe, core_.TimerDanfeAtivo);
    ligaTimer(TimerEmail, core_.TimerEmailAtivo);
    if (TimerFecha->interval() != core_.TimerFechaIntervalo)
        TimerFecha->setInterval(core_.TimerFechaIntervalo);
    ligaTimer(TimerFecha, core_.TimerFechaAtivo);
}

template <typename Passo> void TfrmNFE_2GView::executa(Passo passo)
{
    try {
        passo();
    } catch (const ProgramError &e) {
        core_.Ocorrencias.push_back(e.what());
        if (ultimaFalha_ != e.what()) {
            ultimaFalha_ = e.what();
            dialogos().mensagem(e.what(), "Erro de sistema");
        }
    }
    mostra();
    if (core_.ModalResult != 0 && isVisible())
        done(core_.ModalResult);
}

void TfrmNFE_2GView::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || ativando_)
        return;
    // Once per showing, after the window is on screen.
    ativando_ = true;
    QTimer::singleShot(0, this, [this] {
        executa([this] { core_.FormActivate(); });
        ativando_ = false;
    });
}

void TfrmNFE_2GView::done(int resultado)
{
    TimerNota->stop();
    TimerDanfe->stop();
    TimerEmail->stop();
    TimerFecha->stop();
    try {
        core_.FormClose();
    } catch (const ProgramError &e) {
        core_.Ocorrencias.push_back(e.what());
    }
    QDialog::done(resultado);
}

int MostraNFE_2G(TfrmNFE_2G &core)
{
    TfrmNFE_2GView janela(core);
    return janela.exec();
}
