#include "app/ui/regional/path_reg_gerencia_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

namespace {

template <class Widget> Widget *nomeado(Widget *widget, const char *nome)
{
    widget->setObjectName(QLatin1String(nome));
    return widget;
}

} // namespace

TfrmPathRegGerencia::TfrmPathRegGerencia(QWidget *parent)
    : QDialog(parent), chkLocal(nomeado(new QRadioButton(QStringLiteral("Acesso local"), this), "chkLocal")),
      chkRemoto(nomeado(new QRadioButton(QStringLiteral("Acesso em rede"), this), "chkRemoto")),
      lblServidor(nomeado(new QLabel(QStringLiteral("Nome / IP do servidor:"), this), "lblServidor")),
      edtServidor(nomeado(new QLineEdit(this), "edtServidor")),
      edtPath(nomeado(new QLineEdit(this), "edtPath")),
      edtUnidade(nomeado(new QLineEdit(this), "edtUnidade")),
      SpeedButton1(nomeado(new QPushButton(QStringLiteral("Localiza banco de dados"), this), "SpeedButton1")),
      SpeedButton2(nomeado(new QPushButton(QStringLiteral("Confirma Endereço"), this), "SpeedButton2"))
{
    setObjectName(QStringLiteral("frmPathRegGerencia"));
    setWindowTitle(QStringLiteral("Endereco do Banco Gerencia"));
    setModal(true);
    edtUnidade->hide();
    SpeedButton2->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    auto *titulo = new QLabel(QStringLiteral("Endereço do banco de dados da gerência"), this);
    QFont negrito = titulo->font();
    negrito.setBold(true);
    titulo->setFont(negrito);
    layout->addWidget(titulo, 0, 0, 1, 2);
    layout->addWidget(chkLocal, 1, 0);
    layout->addWidget(chkRemoto, 1, 1);
    layout->addWidget(lblServidor, 2, 0, 1, 2);
    layout->addWidget(edtServidor, 3, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Caminho do banco de dados:"), this), 4, 0, 1, 2);
    layout->addWidget(edtPath, 5, 0, 1, 2);
    layout->addWidget(SpeedButton1, 6, 0);
    layout->addWidget(SpeedButton2, 6, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(chkLocal, &QRadioButton::clicked, this, [this] {
        executaProtegido([this] { core_.chkLocalClick(); });
        mostra();
    });
    connect(chkRemoto, &QRadioButton::clicked, this, [this] {
        executaProtegido([this] { core_.chkRemotoClick(); });
        mostra();
    });
    connect(edtServidor, &QLineEdit::textEdited, this,
            [this](const QString &texto) { core_.edtServidor = deQString(texto); });
    connect(edtPath, &QLineEdit::textEdited, this,
            [this](const QString &texto) { core_.edtPath = deQString(texto); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] {
        executaProtegido([this] { core_.SpeedButton1Click(); });
        mostra();
    });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] {
        executaProtegido([this] {
            core_.SpeedButton2Click();
            accept();
        });
    });
    mostra();
}

void TfrmPathRegGerencia::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (ativado_)
        return;
    ativado_ = true;
    executaProtegido([this] { core_.FormActivate(); });
    mostra();
}

void TfrmPathRegGerencia::mostra()
{
    chkLocal->setChecked(core_.chkLocal);
    chkRemoto->setChecked(!core_.chkLocal);
    lblServidor->setVisible(core_.servidorVisivel);
    edtServidor->setVisible(core_.servidorVisivel);
    edtServidor->setText(paraQString(core_.edtServidor));
    edtPath->setText(paraQString(core_.edtPath));
    edtUnidade->setText(paraQString(core_.edtUnidade));
}
