#include "app/ui/acesso/acesso_view.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ui/aplicacao.h"
#include "app/ui/regional/path_reg_gerencia_view.h"
#include "app/ui/texto_qt.h"

namespace {

template <class Widget> Widget *nomeado(Widget *widget, const char *nome)
{
    widget->setObjectName(QLatin1String(nome));
    return widget;
}

TfrmAcesso::Ambiente comDialogoDeEndereco(TfrmAcesso::Ambiente ambiente, QWidget *dono)
{
    if (!ambiente.pedeEndereco)
        ambiente.pedeEndereco = [dono] {
            TfrmPathRegGerencia dialogo(dono);
            dialogo.exec();
        };
    return ambiente;
}

} // namespace

TfrmAcessoView::TfrmAcessoView(TfrmAcesso::Ambiente ambiente, QWidget *parent)
    : QDialog(parent), edtData(nomeado(new QLineEdit(this), "edtData")),
      edtUsuario(nomeado(new QLineEdit(this), "edtUsuario")),
      edtSenha(nomeado(new QLineEdit(this), "edtSenha")), statusBar(nomeado(new QLabel(this), "statusBar"))
{
    setObjectName(QStringLiteral("frmAcesso"));
    setWindowTitle(QString::fromUtf8(TfrmAcesso::kTitulo));
    setModal(true);
    instalaProcessaEventos([] { QCoreApplication::processEvents(); });
    core_ = std::make_unique<TfrmAcesso>(comDialogoDeEndereco(std::move(ambiente), this));

    edtSenha->setEchoMode(QLineEdit::Password);
    auto *layout = new QVBoxLayout(this);
    auto *aviso = new QLabel(QStringLiteral("ACESSO\nRESTRITO"), this);
    QFont negrito = aviso->font();
    negrito.setBold(true);
    aviso->setFont(negrito);
    layout->addWidget(aviso);
    auto *campos = new QFormLayout();
    campos->addRow(QStringLiteral("Data de Trabalho:"), edtData);
    campos->addRow(QString::fromUtf8("Usuário do Sistema:"), edtUsuario);
    campos->addRow(QStringLiteral("Senha de Acesso:"), edtSenha);
    layout->addLayout(campos);
    layout->addWidget(statusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit *campo : {edtData, edtUsuario, edtSenha})
        campo->installEventFilter(this);
    connect(edtUsuario, &QLineEdit::textEdited, this, [this](const QString &texto) {
        const int cursor = edtUsuario->cursorPosition();
        edtUsuario->setText(texto.toUpper());
        edtUsuario->setCursorPosition(cursor);
        core_->edtUsuario = deQString(edtUsuario->text());
    });
    connect(edtSenha, &QLineEdit::textEdited, this,
            [this](const QString &texto) { core_->edtSenha = deQString(texto); });
    mostra();
}

TfrmAcessoView::~TfrmAcessoView()
{
    instalaProcessaEventos({});
}

void TfrmAcessoView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    executaProtegido([this] {
        core_->FormActivate();
        core_->edtDataEnter();
    });
    mostra();
}

void TfrmAcessoView::closeEvent(QCloseEvent *event)
{
    executaProtegido([this] { core_->FormClose(); });
    QDialog::closeEvent(event);
}

bool TfrmAcessoView::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent *>(evento)->key();
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter && tecla != Qt::Key_Escape)
        return QDialog::eventFilter(objeto, evento);
    const auto qual = tecla == Qt::Key_Escape ? TfrmAcesso::Tecla::Escape : TfrmAcesso::Tecla::Enter;
    executaProtegido([&] {
        if (objeto == edtData)
            core_->edtDataKeyDown(qual);
        else if (objeto == edtUsuario)
            core_->edtUsuarioKeyDown(qual);
        else
            core_->edtSenhaKeyDown(qual);
    });
    depois();
    return true;
}

// After a handler: close when accepted or when the run must end.
void TfrmAcessoView::depois()
{
    if (core_->fechada()) {
        accept();
        return;
    }
    if (core_->encerraPrograma()) {
        reject();
        return;
    }
    mostra();
}

void TfrmAcessoView::mostra()
{
    edtData->setText(paraQString(core_->edtData));
    statusBar->setText(paraQString(core_->statusBar));
    QLineEdit *foco = core_->foco == TfrmAcesso::Campo::Data      ? edtData
                      : core_->foco == TfrmAcesso::Campo::Usuario ? edtUsuario
                                                                  : edtSenha;
    foco->setFocus();
    if (core_->textoSelecionado) {
        foco->selectAll();
        core_->textoSelecionado = false;
    }
}
