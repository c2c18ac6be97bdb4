#include "app/ui/principal/frm_principal_view.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "app/funcoes/funcoes_kvl.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

namespace {

QPixmap figura(const char *arquivo)
{
    return QPixmap(paraQString(PastaPrograma() + "ImagensFrente/" + arquivo));
}

QPushButton *botaoFigura(QWidget *dono, const char *nome, const char *arquivo, int x)
{
    auto *botao = new QPushButton(dono);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setGeometry(x, 0, 40, 40);
    botao->setIcon(QIcon(figura(arquivo)));
    botao->setIconSize(QSize(32, 32));
    return botao;
}

} // namespace

TfrmPrincipalView::TfrmPrincipalView(ModulosDados &modulos, FabricaTelas &fabrica, QWidget *parent)
    : QMainWindow(parent), core_(modulos, fabrica)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(paraQString(TfrmPrincipal::kTitulo));
    resize(816, 631);
    auto *centro = new QWidget(this);
    setCentralWidget(centro);
    PanoFundo = new QLabel(centro);
    PanoFundo->setObjectName(QStringLiteral("PanoFundo"));
    PanoFundo->setAlignment(Qt::AlignCenter);
    PanoFundo->setScaledContents(true);
    PanoFundo->setPixmap(figura("fundo.png"));
    BitBtn1 = botaoFigura(centro, "BitBtn1", "sair.png", 0);
    BitBtn2 = botaoFigura(centro, "BitBtn2", "empresa.png", 40);
    BitBtn1->setToolTip(QStringLiteral("Sair"));
    BitBtn2->setToolTip(QString::fromUtf8("Configurações da empresa"));

    core_.encerraPrograma = [] { QApplication::exit(0); };
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { executaProtegido([this] { core_.BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { executaProtegido([this] { core_.BitBtn2Click(); }); });
    mostra();
}

void TfrmPrincipalView::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    PanoFundo->setGeometry(centralWidget()->rect());
    PanoFundo->lower();
}

void TfrmPrincipalView::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        ativa();
    else if (!emAtivacao_)
        esperaDesativacao_ = false;
}

void TfrmPrincipalView::ativa()
{
    // The error box of a failed trimming takes the activation away and gives
    // it back: that return is not a new activation.
    if (emAtivacao_ || esperaDesativacao_ || !core_.PrimeiraAtivacao)
        return;
    bool falhou = true;
    emAtivacao_ = true;
    executaProtegido([&] {
        core_.FormActivate();
        falhou = false;
    });
    emAtivacao_ = false;
    esperaDesativacao_ = falhou;
    mostra();
}

void TfrmPrincipalView::acrescenta(QMenu *menu, const ItemMenu &item)
{
    if (item.Caption == "-") {
        QAction *linha = menu->addSeparator();
        linha->setObjectName(paraQString(item.Name));
        linha->setVisible(item.Visible);
        return;
    }
    const QString texto = paraQString(item.Caption);
    if (!item.Items.empty()) {
        QMenu *sub = menu->addMenu(texto);
        sub->setObjectName(paraQString(item.Name));
        sub->menuAction()->setObjectName(paraQString(item.Name));
        sub->menuAction()->setVisible(item.Visible);
        for (const ItemMenu &filho : item.Items)
            acrescenta(sub, filho);
        return;
    }
    QAction *acao = menu->addAction(texto);
    acao->setObjectName(paraQString(item.Name));
    acao->setVisible(item.Visible);
    const std::string nome = item.Name;
    connect(acao, &QAction::triggered, this,
            [this, nome] { executaProtegido([this, &nome] { core_.clicaItem(nome); }); });
}

void TfrmPrincipalView::mostra()
{
    QMenuBar *barra = menuBar();
    // The old menus may be running the handler that got here: freed later.
    for (QMenu *antigo : menus_) {
        barra->removeAction(antigo->menuAction());
        antigo->setObjectName(QString());
        antigo->deleteLater();
    }
    menus_.clear();
    for (const ItemMenu &item : core_.MainMenu1.Items) {
        QMenu *menu = barra->addMenu(paraQString(item.Caption));
        menus_.push_back(menu);
        menu->setObjectName(paraQString(item.Name));
        menu->menuAction()->setVisible(item.Visible);
        for (const ItemMenu &filho : item.Items)
            acrescenta(menu, filho);
    }
}
