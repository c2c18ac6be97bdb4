#include "app/ui/dados/frm_path_ib_view.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "app/dados/botoes_dados.h"
#include "app/dados/dtm_gerencia.h"
#include "app/ui/aplicacao.h"
#include "app/ui/dados/grade_tabela.h"
#include "app/ui/texto_qt.h"

namespace {

template <class Widget> Widget *nomeado(Widget *widget, const char *nome)
{
    widget->setObjectName(QLatin1String(nome));
    return widget;
}

const std::vector<std::string> kColunas = {"COD_EMP", "ALIAS_IB", "SERVIDOR_IB", "PATH_IB"};

} // namespace

FrmPathIbView::FrmPathIbView(TdtmGerencia &gerencia, QWidget *parent)
    : QDialog(parent), gerencia_(gerencia), core_(gerencia),
      grade(nomeado(new QTableWidget(0, 4, this), "grdPathIb")),
      edtalias(nomeado(new QLineEdit(this), "edtalias")),
      edtserver(nomeado(new QLineEdit(this), "edtserver")), edtPath(nomeado(new QLineEdit(this), "edtPath")),
      btnIncluir(nomeado(new QPushButton(QStringLiteral("Incluir"), this), "btnIncluir")),
      btnExcluir(nomeado(new QPushButton(QStringLiteral("Excluir"), this), "btnExcluir")),
      btnSalvar(nomeado(new QPushButton(QStringLiteral("Salvar"), this), "btnSalvar")),
      btnCancelar(nomeado(new QPushButton(QStringLiteral("Cancelar"), this), "btnCancelar")),
      btnLocaliza(
          nomeado(new QPushButton(QStringLiteral("Localiza banco de dados......"), this), "btnLocaliza")),
      pnlAlias(nomeado(new QWidget(this), "pnlAlias"))
{
    setObjectName(QStringLiteral("frmPathIB"));
    setWindowTitle(paraQString(TfrmPathIB::kTitulo));
    setModal(true);
    grade->setHorizontalHeaderLabels({QStringLiteral("Empresa"), QStringLiteral("Alias IB"),
                                      QStringLiteral("Servidor IB"), QStringLiteral("Endereco IB")});
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->horizontalHeader()->setStretchLastSection(true);
    edtalias->setMaxLength(15);
    edtserver->setMaxLength(20);
    edtPath->setMaxLength(150);
    for (QPushButton *botao : {btnIncluir, btnExcluir, btnSalvar, btnCancelar, btnLocaliza})
        botao->setAutoDefault(false);

    // The alias list the suite never shows.
    auto *painel = new QGridLayout(pnlAlias);
    painel->addWidget(nomeado(new QListWidget(pnlAlias), "lstAlias"), 0, 0);
    auto *confirma = nomeado(new QPushButton(QStringLiteral("Confirma Alias"), pnlAlias), "btnConfirmaAlias");
    painel->addWidget(confirma, 1, 0);
    pnlAlias->hide();
    connect(confirma, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(grade, 0, 0, 1, 5);
    layout->addWidget(new QLabel(QStringLiteral("Alias IB"), this), 1, 0);
    layout->addWidget(edtalias, 1, 1, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Servidor  (ex.: 192.168.0.1:C:)"), this), 2, 0);
    layout->addWidget(edtserver, 2, 1, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Path Arquivo  (ex.: \\KVL\\BANCO\\NFE.KVL)"), this), 3, 0);
    layout->addWidget(edtPath, 3, 1, 1, 3);
    layout->addWidget(btnLocaliza, 3, 4);
    layout->addWidget(btnIncluir, 4, 0);
    layout->addWidget(btnExcluir, 4, 1);
    layout->addWidget(btnSalvar, 4, 2);
    layout->addWidget(btnCancelar, 4, 3);
    layout->addWidget(pnlAlias, 5, 0, 1, 5);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    grade->setMinimumWidth(560);

    const auto botao = [this](QPushButton *alvo, void (TfrmPathIB::*tratador)()) {
        connect(alvo, &QPushButton::clicked, this, [this, tratador] {
            executaProtegido([this, tratador] { (core_.*tratador)(); });
            mostra();
        });
    };
    botao(btnIncluir, &TfrmPathIB::btnIncluirClick);
    botao(btnExcluir, &TfrmPathIB::btnExcluirClick);
    botao(btnSalvar, &TfrmPathIB::btnSalvarClick);
    botao(btnCancelar, &TfrmPathIB::btnCancelarClick);
    botao(btnLocaliza, &TfrmPathIB::btnLocalizaClick);
    const auto caixa = [this](QLineEdit *alvo, const char *campo) {
        connect(alvo, &QLineEdit::textEdited, this, [this, campo](const QString &texto) {
            executaProtegido([this, campo, &texto] { core_.defineCampo(campo, deQString(texto)); });
            mostra();
        });
    };
    caixa(edtalias, "ALIAS_IB");
    caixa(edtserver, "SERVIDOR_IB");
    caixa(edtPath, "PATH_IB");
    connect(grade, &QTableWidget::cellClicked, this, [this](int linha, int) {
        executaProtegido([this, linha] {
            db::DataSet *tabela = gerencia_.tblPathIb.get();
            if (tabela && tabela->state() == db::DataSet::State::Browse)
                vaiParaLinha(*tabela, linha);
        });
        mostra();
    });
    core_.exibeModal = [this] { exec(); };
}

FrmPathIbView::~FrmPathIbView()
{
    core_.exibeModal = nullptr;
}

void FrmPathIbView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    executaProtegido([this] { core_.FormActivate(); });
    mostra();
}

void FrmPathIbView::done(int resultado)
{
    executaProtegido([this] { core_.FormClose(); });
    QDialog::done(resultado);
}

void FrmPathIbView::mostra()
{
    db::DataSet *tabela = gerencia_.tblPathIb.get();
    preencheGrade(grade, tabela, kColunas);
    const bool comLinha =
        tabela && tabela->active() && (tabela->state() != db::DataSet::State::Browse || !tabela->isEmpty());
    const auto texto = [&](const char *campo) {
        return comLinha ? paraQString(tabela->field(campo).asString()) : QString();
    };
    for (auto [caixa, campo] : {std::pair{edtalias, "ALIAS_IB"}, std::pair{edtserver, "SERVIDOR_IB"},
                                std::pair{edtPath, "PATH_IB"}})
        if (caixa->text() != texto(campo))
            caixa->setText(texto(campo));
    const BotoesDados botoes = estadoBotoes(tabela);
    btnIncluir->setEnabled(botoes.incluir);
    btnExcluir->setEnabled(botoes.eliminar);
    btnSalvar->setEnabled(botoes.salvar);
    btnCancelar->setEnabled(botoes.cancelar);
}
