#include "app/ui/config_nfe/frm_confi_nfe_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/config_nfe/frm_confi_nfe.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

namespace {

// clang-format off
const struct { const char *controle, *coluna, *legenda; bool obrigatorio; } kCampos[] = {
    {"edtnome",    "NOM_EMI",          "Emitente",                 true},
    {"edtfan",     "FAN_EMI",          "Fantasia",                 false},
    {"edtend",     "END_EMI",          "Endereço",                 true},
    {"edtnro",     "NRO_END_EMI",      "Nrº",                      true},
    {"edtcomple",  "COMPL_EMI",        "Complemento",              false},
    {"edtbairro",  "BAI_EMI",          "Bairro",                   true},
    {"edtcodcida", "COD_MUN_EMI",      "Código da cidade",         true},
    {"edtcidade",  "MUN_EMI",          "Cidade",                   true},
    {"edtcoduf",   "COD_UF_EMI",       "Código do estado",         true},
    {"edtuf",      "UF_EMI",           "Estado",                   true},
    {"edtcep",     "CEP_EMI",          "CEP",                      true},
    {"edtcodpais", "COD_PAIS_EMI",     "Código do país",           true},
    {"edtpais",    "PAIS_EMI",         "País",                     true},
    {"edtfone",    "FONE_EMI",         "Telefone",                 false},
    {"edtcnpj",    "CNPJ_EMI",         "CNPJ",                     true},
    {"edtie",      "IE_EMI",           "Inscrição",                true},
    {"edtim",      "IM_EMI",           "Inscrição municipal",      false},
    {"edtpath",    "PATH_COMUNICACAO", "Endereço de comunicação",  true},
};
// clang-format on

void preencheGrade(QTableWidget *grade, const std::vector<QStringList> &linhas, std::size_t atual)
{
    grade->setRowCount(static_cast<int>(linhas.size()));
    for (std::size_t i = 0; i < linhas.size(); ++i)
        for (int c = 0; c < linhas[i].size(); ++c)
            grade->setItem(static_cast<int>(i), c, new QTableWidgetItem(linhas[i][c]));
    if (!linhas.empty())
        grade->setCurrentCell(static_cast<int>(atual), 0);
}

} // namespace

TfrmConfiNFEView::TfrmConfiNFEView(TfrmConfiNFE &core, QWidget *parent) : QDialog(parent), core_(core)
{
    setObjectName(QStringLiteral("frmConfiNFE"));
    setWindowTitle(QString::fromUtf8(TfrmConfiNFE::kTitulo));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    criaMenus();
    layout->setMenuBar(findChild<QMenuBar *>());
    layout->addWidget(criaCampos());
    layout->addWidget(criaBotoes());

    painelCep = new QWidget(this);
    painelCep->setObjectName(QStringLiteral("pnlCep"));
    auto *cep = new QHBoxLayout(painelCep);
    lblCep = new QLabel(QStringLiteral("Aguarde. Importando tabela de CEPS"), painelCep);
    lblCep->setObjectName(QStringLiteral("lblCep"));
    pbar = new QProgressBar(painelCep);
    pbar->setObjectName(QStringLiteral("pbar"));
    cep->addWidget(lblCep);
    cep->addWidget(pbar);
    layout->addWidget(painelCep);
    criaGrades();
    resize(760, 560);
    mostra();
}

TfrmConfiNFEView::~TfrmConfiNFEView()
{
    // The widgets go after this object: what they signal while being
    // destroyed (a grid's current cell, an edit losing the focus) must not
    // reach it.
    for (QObject *filho : findChildren<QObject *>())
        filho->disconnect(this);
}

QPushButton *TfrmConfiNFEView::botao(const char *nome, const QString &texto, void (TfrmConfiNFE::*tratador)())
{
    auto *b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nome));
    botoes_[nome] = b;
    if (tratador)
        connect(b, &QPushButton::clicked, this, [this, tratador] { clique(tratador); });
    return b;
}

QWidget *TfrmConfiNFEView::criaCampos()
{
    auto *campos = new QWidget(this);
    auto *grade = new QGridLayout(campos);
    int linha = 0;
    for (const auto &c : kCampos) {
        auto *edit = new QLineEdit(campos);
        edit->setObjectName(QString::fromLatin1(c.controle));
        edits_[c.controle] = edit;
        colunas_[c.controle] = c.coluna;
        const std::string coluna = c.coluna;
        connect(edit, &QLineEdit::textEdited, this, [this, coluna](const QString &texto) {
            executaProtegido([&] { core_.defineCampo(coluna, deQString(texto)); });
            atualizaBotoes();
        });
        const int col = (linha % 2) * 3;
        grade->addWidget(new QLabel(paraQString(c.legenda), campos), linha / 2, col);
        grade->addWidget(edit, linha / 2, col + 1);
        if (c.obrigatorio)
            grade->addWidget(new QLabel(QStringLiteral("(*)"), campos), linha / 2, col + 2);
        ++linha;
    }
    connect(edits_["edtcoduf"], &QLineEdit::editingFinished, this, [this] {
        if (mostrando_)
            return;
        executaProtegido([this] { core_.edtcodufExit(); });
        if (core_.foco == "edtcoduf")
            edits_["edtcoduf"]->setFocus();
    });
    int proxima = (linha + 1) / 2;
    grade->addWidget(botao("btnBuscaCidades", {}, &TfrmConfiNFE::btnBuscaCidadesClick), proxima, 0);
    grade->addWidget(botao("btnBuscaEstados", {}, &TfrmConfiNFE::btnBuscaEstadosClick), proxima, 1);
    botoes_["btnBuscaEstados"]->setToolTip(QString::fromUtf8("Localizar Nota Fiscal"));

    dbTipoEmissor = new QComboBox(campos);
    dbTipoEmissor->setObjectName(QStringLiteral("dbTipoEmissor"));
    dbTipoEmissor->addItems({QStringLiteral("ORVENIX"), QStringLiteral("NFE SEFAZ")});
    connect(dbTipoEmissor, &QComboBox::activated, this, [this](int) {
        executaProtegido([this] { core_.defineTipoEmissor(deQString(dbTipoEmissor->currentText())); });
        atualizaBotoes();
    });
    grade->addWidget(dbTipoEmissor, proxima, 3, 1, 2);

    auto *regime = new QGroupBox(QString::fromUtf8("Modo de operação"), campos);
    regime->setObjectName(QStringLiteral("edtREgimetrib"));
    auto *regimeLayout = new QHBoxLayout(regime);
    edtREgimetrib = new QButtonGroup(regime);
    for (const auto &[texto, codigo] :
         {std::pair{"1 = Simples nacional", 1}, std::pair{"3 = Regime normal", 3}}) {
        auto *opcao = new QRadioButton(QString::fromUtf8(texto), regime);
        edtREgimetrib->addButton(opcao, codigo);
        regimeLayout->addWidget(opcao);
    }
    connect(edtREgimetrib, &QButtonGroup::idClicked, this, [this](int codigo) {
        executaProtegido([&] { core_.defineRegime(codigo); });
        atualizaBotoes();
    });
    grade->addWidget(regime, ++proxima, 0, 1, 3);

    edtHomologacao = new QCheckBox(QString::fromUtf8("Ambiente em homologação"), campos);
    edtHomologacao->setObjectName(QStringLiteral("edtHomologacao"));
    chkCnpjAtivo = new QCheckBox(QString::fromUtf8("CNPJ Ativo para operações"), campos);
    chkCnpjAtivo->setObjectName(QStringLiteral("chkCnpjAtivo"));
    connect(edtHomologacao, &QCheckBox::clicked, this, [this](bool marcado) {
        executaProtegido([&] { core_.defineHomologacao(marcado); });
        atualizaBotoes();
    });
    connect(chkCnpjAtivo, &QCheckBox::clicked, this, [this](bool marcado) {
        executaProtegido([&] { core_.defineCnpjAtivo(marcado); });
        atualizaBotoes();
    });
    grade->addWidget(edtHomologacao, proxima, 3);
    grade->addWidget(chkCnpjAtivo, proxima, 4);
    return campos;
}

QWidget *TfrmConfiNFEView::criaBotoes()
{
    auto *barra = new QWidget(this);
    auto *linha = new QHBoxLayout(barra);
    // clang-format off
    const struct { const char *nome, *texto, *dica; void (TfrmConfiNFE::*tratador)(); } pacote[] = {
        {"dbBBtnFirst", "|<", "Primeiro Registro",  &TfrmConfiNFE::dbBBtnFirstClick},
        {"dbBBtnPrior", "<",  "Voltar um",          &TfrmConfiNFE::dbBBtnPriorClick},
        {"dbBBtnNext",  ">",  "ir para o próximo",  &TfrmConfiNFE::dbBBtnNextClick},
        {"dbBBtnLast",  ">|", "Último Registro",    &TfrmConfiNFE::dbBBtnLastClick},
        {"btnNew",      "Incluir",  "", &TfrmConfiNFE::btnNewClick},
        {"dbBBtnSave",  "Salvar",   "", &TfrmConfiNFE::dbBBtnSaveClick},
        {"btnDelete",   "Eliminar", "", &TfrmConfiNFE::btnDeleteClick},
        {"btnCancel",   "Cancelar", "", &TfrmConfiNFE::btnCancelClick},
        {"btnConfigNfe40", "Configuração do Vartelo NFE 4.0",          "", &TfrmConfiNFE::btnConfigNfe40Click},
        {"brnConfigNFE",   "Configuração do Vartelo NFSE / CTE",       "", &TfrmConfiNFE::brnConfigNFEClick},
        {"SpeedButton1",   "Eliminar registro feitos em Homologação", "", &TfrmConfiNFE::SpeedButton1Click},
    };
    // clang-format on
    for (const auto &b : pacote) {
        QPushButton *botaoCriado = botao(b.nome, QString::fromUtf8(b.texto), b.tratador);
        botaoCriado->setToolTip(QString::fromUtf8(b.dica));
        linha->addWidget(botaoCriado);
    }
    QPushButton *sair = botao("btnSair", QStringLiteral("Sair"), nullptr);
    sair->setToolTip(QStringLiteral("Fechar a Janela"));
    connect(sair, &QPushButton::clicked, this, [this] {
        core_.btnSairClick();
        accept();
    });
    linha->addWidget(sair);
    return barra;
}

void TfrmConfiNFEView::criaMenus()
{
    auto *menus = new QMenuBar(this);
    QMenu *comandos = menus->addMenu(QString::fromUtf8("Comandos úteis"));
    QAction *importar = comandos->addAction(QStringLiteral("Importar cadastro de gerencia"));
    importar->setObjectName(QStringLiteral("Importarcadastrodegerenci1"));
    connect(importar, &QAction::triggered, this,
            [this] { clique(&TfrmConfiNFE::Importarcadastrodegerenci1Click); });
    QMenu *banco = menus->addMenu(QString::fromUtf8("Alteração banco de dados NFE"));
    QAction *alteracoes = banco->addAction(QString::fromUtf8("Alteraçoes para executar"));
    alteracoes->setObjectName(QStringLiteral("AlteraoesaseremExecutadas1"));
    connect(alteracoes, &QAction::triggered, this,
            [this] { clique(&TfrmConfiNFE::AlteraoesaseremExecutadas1Click); });
}

void TfrmConfiNFEView::criaGrades()
{
    gridCid = new QTableWidget(0, 3, this);
    gridCid->setObjectName(QStringLiteral("gridCid"));
    gridCid->setHorizontalHeaderLabels(
        {QStringLiteral("Cidade"), QStringLiteral("IBGE"), QStringLiteral("UF")});
    gridUf = new QTableWidget(0, 3, this);
    gridUf->setObjectName(QStringLiteral("gridUf"));
    gridUf->setHorizontalHeaderLabels(
        {QStringLiteral("Estado"), QStringLiteral("Nome"), QStringLiteral("UF")});
    for (QTableWidget *grade : {gridCid, gridUf}) {
        grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grade->setSelectionBehavior(QAbstractItemView::SelectRows);
        grade->verticalHeader()->hide();
        grade->hide();
    }
    connect(gridCid, &QTableWidget::currentCellChanged, this, [this](int linha) {
        if (!mostrando_ && linha >= 0)
            core_.tblCidades.vaiPara(static_cast<std::size_t>(linha));
    });
    connect(gridUf, &QTableWidget::currentCellChanged, this, [this](int linha) {
        if (!mostrando_ && linha >= 0)
            core_.tblEstados.vaiPara(static_cast<std::size_t>(linha));
    });
}

void TfrmConfiNFEView::clique(void (TfrmConfiNFE::*tratador)())
{
    TfrmConfiNFE &core = core_;
    executaProtegido([&core, tratador] { (core.*tratador)(); });
    mostra();
}

void TfrmConfiNFEView::atualizaBotoes()
{
    const EstadoBotoesConfiNFE estado = core_.estadoBotoes();
    botoes_["btnNew"]->setEnabled(estado.incluir);
    botoes_["btnDelete"]->setEnabled(estado.eliminar);
    botoes_["btnCancel"]->setEnabled(estado.cancelar);
    botoes_["dbBBtnSave"]->setEnabled(estado.salvar);
    for (const char *nome : {"dbBBtnFirst", "dbBBtnPrior", "dbBBtnNext", "dbBBtnLast"})
        botoes_[nome]->setEnabled(estado.navegacao);
}

void TfrmConfiNFEView::mostraGrades()
{
    const auto posiciona = [](QTableWidget *grade, const TfrmConfiNFE::Grade &g) {
        grade->setGeometry(g.left, g.top, g.width, g.height);
        grade->setVisible(g.visivel);
        if (g.visivel)
            grade->raise();
    };
    std::vector<QStringList> cidades;
    for (std::size_t i = 0; i < core_.tblCidades.quantidade(); ++i) {
        const CidadeIBGE &c = core_.tblCidades.linha(i);
        cidades.push_back({paraQString(c.Cidade), QString::number(c.cod_ibge), paraQString(c.uf)});
    }
    preencheGrade(gridCid, cidades, core_.tblCidades.posicao());
    std::vector<QStringList> estados;
    for (std::size_t i = 0; i < core_.tblEstados.quantidade(); ++i) {
        const EstadoIBGE &e = core_.tblEstados.linha(i);
        estados.push_back({QString::number(e.Estado), paraQString(e.Nome), paraQString(e.UF)});
    }
    preencheGrade(gridUf, estados, core_.tblEstados.posicao());
    posiciona(gridCid, core_.gridCid);
    posiciona(gridUf, core_.gridUf);
    for (const auto &[nome, b] : {std::pair{"btnBuscaCidades", &core_.btnBuscaCidades},
                                  std::pair{"btnBuscaEstados", &core_.btnBuscaEstados}}) {
        botoes_[nome]->setFixedWidth(b->width);
        botoes_[nome]->setText(paraQString(b->caption));
    }
}

void TfrmConfiNFEView::mostra()
{
    mostrando_ = true;
    for (const auto &[controle, edit] : edits_)
        edit->setText(paraQString(core_.campo(colunas_[controle]).asString()));
    dbTipoEmissor->setCurrentIndex(
        dbTipoEmissor->findText(paraQString(core_.campo("TIPO_EMISSOR").asString())));
    const int regime = core_.campo("COD_REG_TRIB").asInteger();
    edtREgimetrib->setExclusive(false);
    for (QAbstractButton *opcao : edtREgimetrib->buttons())
        opcao->setChecked(edtREgimetrib->id(opcao) == regime);
    edtREgimetrib->setExclusive(true);
    edtHomologacao->setChecked(core_.campo("NRO_COPIAS2").asInteger() == 100);
    chkCnpjAtivo->setChecked(core_.campo("CNPJ_ATIVO").asString() == "T");
    atualizaBotoes();
    mostraGrades();
    painelCep->setVisible(core_.lblCepVisivel);
    pbar->setMaximum(core_.pbar.max);
    pbar->setValue(core_.pbar.position);
    if (auto edit = edits_.find(core_.foco); edit != edits_.end())
        edit->second->setFocus();
    else if (auto b = botoes_.find(core_.foco); b != botoes_.end())
        b->second->setFocus();
    mostrando_ = false;
}

void TfrmConfiNFEView::done(int resultado)
{
    executaProtegido([this] { core_.FormClose(); });
    QDialog::done(resultado);
}

void instalaConfiNFEQt()
{
    instalaConfiNFE([](TfrmConfiNFE &core) {
        TfrmConfiNFEView tela(core);
        tela.exec();
    });
}
