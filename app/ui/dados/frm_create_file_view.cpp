#include "app/ui/dados/frm_create_file_view.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

TfrmCreateFileView::TfrmCreateFileView(TdtmNFE_grd &modulo, QWidget *parent)
    : QDialog(parent), core_(modulo), lblultima(new QLabel(this)),
      btnAtualiza(new QPushButton(QStringLiteral("Atualização de Banco de dados"), this)),
      BitBtn1(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmCreateFile"));
    setWindowTitle(QStringLiteral("Criação e Alteração de Tabelas"));
    setModal(true);
    lblultima->setObjectName(QStringLiteral("lblultima"));
    btnAtualiza->setObjectName(QStringLiteral("btnAtualiza"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    btnAtualiza->setAutoDefault(false);
    BitBtn1->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblultima);
    layout->addWidget(btnAtualiza);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAtualiza, &QPushButton::clicked, this, [this] {
        executaProtegido([this] {
            core_.btnAtualizaClick();
            core_.FormActivate();
        });
        mostra();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    mostra();
}

void TfrmCreateFileView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ativa();
}

void TfrmCreateFileView::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ativa();
}

void TfrmCreateFileView::ativa()
{
    executaProtegido([this] { core_.FormActivate(); });
    mostra();
}

void TfrmCreateFileView::mostra()
{
    lblultima->setText(paraQString(core_.lblultima));
}
