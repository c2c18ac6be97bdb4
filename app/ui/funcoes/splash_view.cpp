#include "app/ui/funcoes/splash_view.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui/texto_qt.h"

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), lblPrograma(new QLabel(this)),
      lblVersao(new QLabel(this)), lblFile(new QLabel(this)), Porcento(new QProgressBar(this)),
      pnlBanco(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(485, 287);
    lblPrograma->setObjectName(QStringLiteral("lblPrograma"));
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    Porcento->setObjectName(QStringLiteral("Porcento"));
    Porcento->setTextVisible(false);
    pnlBanco->setObjectName(QStringLiteral("pnlBanco"));
    pnlBanco->setAlignment(Qt::AlignCenter);
    pnlBanco->setFrameShape(QFrame::Panel);
    pnlBanco->setText(paraTela(SplashCore::kTextoBanco));

    QFont titulo = lblPrograma->font();
    titulo.setPointSize(titulo.pointSize() * 2);
    titulo.setBold(true);
    lblPrograma->setFont(titulo);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblPrograma);
    layout->addWidget(lblVersao);
    layout->addStretch();
    layout->addWidget(pnlBanco);
    layout->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("Abertura de arquivos..."), this));
    layout->addWidget(lblFile);
    layout->addWidget(Porcento);
    setStyleSheet(QStringLiteral("#frmSplash { border: 1px solid palette(dark); }"));

    if (const QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());

    core_.aoMudar = [this] {
        mostra();
        repaint();
    };
    mostra();
}

TfrmSplash::~TfrmSplash()
{
    core_.aoMudar = nullptr;
}

void TfrmSplash::mostra()
{
    lblPrograma->setText(paraTela(core_.lblPrograma));
    lblVersao->setText(paraTela(core_.lblVersao));
    lblFile->setText(paraTela(core_.lblFile));
    Porcento->setRange(0, core_.porcentoMaximo);
    Porcento->setValue(core_.porcentoPosicao);
    pnlBanco->setVisible(core_.pnlBancoVisivel);
}
