#include "app/ui/dados/frm_gerencia_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

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

bool navegavel(db::DataSet *tabela)
{
    return tabela && tabela->state() == db::DataSet::State::Browse;
}

} // namespace

FrmGerenciaView::FrmGerenciaView(TdtmGerencia &gerencia, TfrmGerencia::Ambiente ambiente, QWidget *parent)
    : QDialog(parent), gerencia_(gerencia), core_(gerencia, std::move(ambiente)),
      lblcodigo(nomeado(new QLabel(this), "lblcodigo")), statusBar(nomeado(new QLabel(this), "StatusBar1")),
      paginas(nomeado(new QTabWidget(this), "PageControl1"))
{
    setObjectName(QStringLiteral("frmGerencia"));
    setWindowTitle(paraQString(TfrmGerencia::kTitulo));
    setModal(true);
    core_.aoProgredir = [this] {
        Porcento->setMaximum(core_.PorcentoMax);
        Porcento->setValue(core_.PorcentoPos);
    };

    auto *layout = new QVBoxLayout(this);
    auto *topo = new QHBoxLayout();
    topo->addWidget(lblcodigo, 1);
    auto *sair = nomeado(new QPushButton(QStringLiteral("Sair"), this), "btnSair");
    sair->setAutoDefault(false);
    sair->setToolTip(QStringLiteral("Fechar Janela"));
    connect(sair, &QPushButton::clicked, this, [this] {
        core_.btnSairClick();
        accept();
    });
    topo->addWidget(sair);
    layout->addLayout(topo);
    paginas->addTab(paginaUsuarios(), paraQString(TfrmGerencia::kPaginas[0]));
    paginas->addTab(paginaEmpresa(), paraQString(TfrmGerencia::kPaginas[1]));
    paginas->addTab(paginaConfiguracoes(), paraQString(TfrmGerencia::kPaginas[2]));
    paginas->addTab(paginaOpcoes(), paraQString(TfrmGerencia::kPaginas[3]));
    layout->addWidget(paginas);
    layout->addWidget(statusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget *filho : findChildren<QWidget *>())
        filho->installEventFilter(this);
    mostra();
}

QPushButton *FrmGerenciaView::botao(const char *nome, const QString &texto, std::function<void()> tratador)
{
    auto *alvo = nomeado(new QPushButton(texto, this), nome);
    alvo->setAutoDefault(false);
    connect(alvo, &QPushButton::clicked, this, [this, tratador = std::move(tratador)] { executa(tratador); });
    return alvo;
}

void FrmGerenciaView::executa(const std::function<void()> &tratador)
{
    const std::string focoAntes = core_.foco;
    executaProtegido(tratador);
    mostra();
    if (core_.foco != focoAntes && !core_.foco.empty())
        if (auto *alvo = findChild<QWidget *>(paraQString(core_.foco)))
            QTimer::singleShot(0, alvo, [alvo] { alvo->setFocus(); });
}

QLineEdit *FrmGerenciaView::caixaUsuario(const char *nome, const char *campo)
{
    auto *caixa = nomeado(new QLineEdit(this), nome);
    ligadas_[caixa] = {'U', campo};
    connect(caixa, &QLineEdit::textEdited, this, [this, campo](const QString &texto) {
        executa([this, campo, valor = deQString(texto)] { core_.defineCampoUsuario(campo, valor); });
    });
    return caixa;
}

QLineEdit *FrmGerenciaView::caixaEmpresa(const char *nome, const char *campo)
{
    auto *caixa = nomeado(new QLineEdit(this), nome);
    ligadas_[caixa] = {'E', campo};
    connect(caixa, &QLineEdit::textEdited, this, [this, campo](const QString &texto) {
        executa([this, campo, valor = deQString(texto)] { core_.defineCampoEmpresa(campo, valor); });
    });
    return caixa;
}

QLineEdit *FrmGerenciaView::caixaNucleo(const char *nome, std::string TfrmGerencia::*campo)
{
    auto *caixa = nomeado(new QLineEdit(this), nome);
    nucleo_[caixa] = campo;
    connect(caixa, &QLineEdit::textEdited, this,
            [this, campo](const QString &texto) { core_.*campo = deQString(texto); });
    return caixa;
}

QWidget *FrmGerenciaView::paginaUsuarios()
{
    auto *pagina = new QWidget(this);
    auto *grade = new QGridLayout(pagina);
    grdUsuarios = nomeado(new QTableWidget(0, 2, pagina), "grdUsuarios");
    grdUsuarios->setHorizontalHeaderLabels({QStringLiteral("Usuário"), QStringLiteral("USERNAME")});
    grdUsuarios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUsuarios->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdUsuarios->horizontalHeader()->setStretchLastSection(true);
    connect(grdUsuarios, &QTableWidget::cellClicked, this, [this](int linha, int) {
        executa([this, linha] {
            if (navegavel(gerencia_.tblUsuarios.get()))
                vaiParaLinha(*gerencia_.tblUsuarios, linha);
        });
    });
    grade->addWidget(grdUsuarios, 0, 0, 1, 6);
    const auto linha = [&](int numero, const char *rotulo, QWidget *controle) {
        grade->addWidget(new QLabel(QString::fromUtf8(rotulo), pagina), numero, 0);
        grade->addWidget(controle, numero, 1, 1, 5);
    };
    linha(1, "Nome", caixaUsuario("edtUsuario", "USUARIO"));
    linha(2, "Username", caixaUsuario("edtUsername", "USERNAME"));
    auto *senha = caixaNucleo("edtSenha", &TfrmGerencia::edtSenha);
    auto *confirma = caixaNucleo("edtConfirma", &TfrmGerencia::edtConfirma);
    for (QLineEdit *caixa : {senha, confirma}) {
        caixa->setEchoMode(QLineEdit::Password);
        caixa->setMaxLength(10);
    }
    linha(3, "Senha", senha);
    linha(4, "Confirma", confirma);
    linha(5, "Nível", caixaUsuario("edtNivel", "NIVEL"));
    chkGerente = nomeado(new QCheckBox(QStringLiteral("Usuário GERENTE"), pagina), "chkGerente");
    connect(chkGerente, &QCheckBox::clicked, this, [this](bool marcado) {
        executa([this, marcado] { core_.defineCampoUsuario("CAMPO_AUX1", marcado ? "T" : "F"); });
    });
    grade->addWidget(chkGerente, 6, 1, 1, 5);
    const auto navega = [this](bool proximo) {
        db::DataSet *tabela = gerencia_.tblUsuarios.get();
        if (!navegavel(tabela))
            return;
        proximo ? tabela->next() : tabela->prior();
        core_.dtsuserDataChange();
    };
    int coluna = 0;
    for (auto [nome, texto, tratador] :
         {std::tuple{"btnIncluirUsuario", "Incluir",
                     std::function<void()>([this] { core_.UsuariosIncluir(); })},
          std::tuple{"btnEliminarUsuario", "Eliminar",
                     std::function<void()>([this] { core_.UsuariosEliminar(); })},
          std::tuple{"btnSalvarUsuario", "Salvar", std::function<void()>([this] { core_.UsuariosSalvar(); })},
          std::tuple{"btnCancelarUsuario", "Cancelar",
                     std::function<void()>([this] { core_.UsuariosCancelar(); })},
          std::tuple{"btnAnteriorUsuario", "<", std::function<void()>([navega] { navega(false); })},
          std::tuple{"btnProximoUsuario", ">", std::function<void()>([navega] { navega(true); })}}) {
        QPushButton *alvo = botao(nome, QString::fromUtf8(texto), tratador);
        botoesDados_[nome] = alvo;
        grade->addWidget(alvo, 7, coluna++);
    }
    return pagina;
}

QWidget *FrmGerenciaView::paginaEmpresa()
{
    auto *pagina = new QWidget(this);
    auto *grade = new QGridLayout(pagina);
    // clang-format off
    const std::tuple<const char *, const char *, const char *, int> caixas[] = {
        {"edtCodigo",   "CODIGO",   "Código",   0},
        {"edtNome",     "NOME",     "Nome",     60},
        {"edtEndereco", "ENDERECO", "Endereço", 50},
        {"edtBairro",   "BAIRRO",   "Bairro",   40},
        {"edtCep",      "CEP",      "CEP",      10},
        {"edtFone1",    "FONE1",    "Fone 1",   16},
        {"edtFone2",    "FONE2",    "Fone 2",   16},
        {"edtFax",      "FAX",      "Fax",      16},
        {"edtCnpj",     "CNPJ",     "CNPJ/CPF", 18},
        {"edtIe",       "IE",       "IE",       15},
        {"edtEmail",    "EMAIEL",   "E-mail",   40},
        {"edtCidade",   "NOME_CID", "Cidade",   30},
        {"edtUf",       "UF",       "UF",       2},
    };
    // clang-format on
    int numero = 0;
    for (const auto &[nome, campo, rotulo, tamanho] : caixas) {
        QLineEdit *caixa = caixaEmpresa(nome, campo);
        if (tamanho > 0)
            caixa->setMaxLength(tamanho);
        grade->addWidget(new QLabel(QString::fromUtf8(rotulo), pagina), numero, 0);
        grade->addWidget(caixa, numero++, 1, 1, 5);
    }
    const auto navega = [this](bool proximo) {
        if (navegavel(gerencia_.tblEmpresaHD.get()))
            proximo ? gerencia_.tblEmpresaHD->next() : gerencia_.tblEmpresaHD->prior();
    };
    int coluna = 0;
    for (auto [nome, texto, tratador] :
         {std::tuple{"btnIncluirEmpresa", "Incluir",
                     std::function<void()>([this] { core_.EmpresaIncluir(); })},
          std::tuple{"btnEliminarEmpresa", "Eliminar",
                     std::function<void()>([this] { core_.EmpresaEliminar(); })},
          std::tuple{"btnSalvarEmpresa", "Salvar", std::function<void()>([this] { core_.EmpresaSalvar(); })},
          std::tuple{"btnCancelarEmpresa", "Cancelar",
                     std::function<void()>([this] { core_.EmpresaCancelar(); })},
          std::tuple{"btnAnteriorEmpresa", "<", std::function<void()>([navega] { navega(false); })},
          std::tuple{"btnProximoEmpresa", ">", std::function<void()>([navega] { navega(true); })}}) {
        QPushButton *alvo = botao(nome, QString::fromUtf8(texto), tratador);
        botoesDados_[nome] = alvo;
        grade->addWidget(alvo, numero, coluna++);
    }
    ++numero;
    grade->addWidget(botao("btnEmpresaPadrao", QStringLiteral("Definir como empresa padrão para o sistema"),
                           [this] { core_.btnEmpresaPadraoClick(); }),
                     numero++, 0, 1, 6);
    grade->addWidget(botao("btnPathIbEmpresa",
                           QStringLiteral("Acesso ao módulo path IB - individual por empresa"),
                           [this] { core_.btnPathIbEmpresaClick(); }),
                     numero, 0, 1, 6);
    return pagina;
}

QWidget *FrmGerenciaView::paginaConfiguracoes()
{
    auto *pagina = new QWidget(this);
    auto *grade = new QGridLayout(pagina);
    QLineEdit *codigo = caixaEmpresa("edtCodigoConfig", "CODIGO");
    QLineEdit *nome = caixaEmpresa("edtNomeConfig", "NOME");
    codigo->setEnabled(false);
    nome->setEnabled(false);
    QLineEdit *rodape = caixaEmpresa("edtRodape", "RODAPE");
    rodape->setMaxLength(60);
    grade->addWidget(new QLabel(QStringLiteral("Código"), pagina), 0, 0);
    grade->addWidget(codigo, 0, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("Nome"), pagina), 1, 0);
    grade->addWidget(nome, 1, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("Mensagem de rodapé dos relatórios"), pagina), 2, 0);
    grade->addWidget(rodape, 2, 1, 1, 3);
    const auto navega = [this](bool proximo) {
        if (navegavel(gerencia_.tblEmpresaHD.get()))
            proximo ? gerencia_.tblEmpresaHD->next() : gerencia_.tblEmpresaHD->prior();
    };
    int coluna = 0;
    for (auto [nome, texto, tratador] :
         {std::tuple{"btnAnteriorConfig", "<", std::function<void()>([navega] { navega(false); })},
          std::tuple{"btnProximoConfig", ">", std::function<void()>([navega] { navega(true); })},
          std::tuple{"btnSalvarConfig", "Salvar",
                     std::function<void()>([this] { core_.ConfiguracoesSalvar(); })},
          std::tuple{"btnCancelarConfig", "Cancelar",
                     std::function<void()>([this] { core_.EmpresaCancelar(); })}}) {
        QPushButton *alvo = botao(nome, QString::fromUtf8(texto), tratador);
        botoesDados_[nome] = alvo;
        grade->addWidget(alvo, 3, coluna++);
    }
    return pagina;
}

QWidget *FrmGerenciaView::paginaOpcoes()
{
    auto *pagina = new QWidget(this);
    auto *grade = new QGridLayout(pagina);
    grade->addWidget(
        botao("btnCodEmp", QStringLiteral("Cod_Emp ( PathIB )"), [this] { core_.btnCodEmpClick(); }), 0, 0);

    auto *upgrade = new QGroupBox(QStringLiteral("Upgrade dos dados do sistema antigo"), pagina);
    auto *gu = new QGridLayout(upgrade);
    QLineEdit *senup = caixaNucleo("edtsenup", &TfrmGerencia::edtsenup);
    senup->setEchoMode(QLineEdit::Password);
    gu->addWidget(senup, 0, 0);
    gu->addWidget(
        botao("btnUpgrade", QStringLiteral("Upgrade de dados"), [this] { core_.btnUpgradeClick(); }), 0, 1);
    Porcento = nomeado(new QProgressBar(upgrade), "Porcento");
    gu->addWidget(Porcento, 1, 0, 1, 2);
    grade->addWidget(upgrade, 1, 0);

    auto *matriz = new QGroupBox(QStringLiteral("Matriz de impressoras"), pagina);
    auto *gm = new QGridLayout(matriz);
    gm->addWidget(new QLabel(QStringLiteral("Linhas"), matriz), 0, 0);
    gm->addWidget(caixaNucleo("edtLin", &TfrmGerencia::edtLin), 0, 1);
    const auto escolha = [&](int coluna, const char *rotulo, const char *nome, QStringList opcoes,
                             std::string TfrmGerencia::*campo) {
        gm->addWidget(new QLabel(QString::fromUtf8(rotulo), matriz), 0, coluna);
        auto *caixa = nomeado(new QComboBox(matriz), nome);
        caixa->addItems(opcoes);
        caixa->setCurrentText(paraQString(core_.*campo));
        connect(caixa, &QComboBox::currentTextChanged, this,
                [this, campo](const QString &texto) { core_.*campo = deQString(texto); });
        gm->addWidget(caixa, 0, coluna + 1);
    };
    escolha(2, "Linhas p/ Pol", "edtLpol", {QStringLiteral("6"), QStringLiteral("8")},
            &TfrmGerencia::edtLpol);
    escolha(4, "Compactação", "edtComp", {QStringLiteral("80"), QStringLiteral("95"), QStringLiteral("135")},
            &TfrmGerencia::edtComp);
    gm->addWidget(botao("btnImprimirMatriz", QStringLiteral("Imprimir matriz"),
                        [this] { core_.btnImprimirMatrizClick(); }),
                  1, 0, 1, 6);
    grade->addWidget(matriz, 2, 0);

    auto *bancos = new QGroupBox(QStringLiteral("Configurações de Banco de Dados"), pagina);
    auto *gb = new QHBoxLayout(bancos);
    gb->addWidget(
        botao("btnPathIb", QStringLiteral("Acesso ao módulo path IB"), [this] { core_.btnPathIbClick(); }));
    gb->addWidget(botao("btnConfigGerencia", QStringLiteral("Configuração banco gerência"),
                        [this] { core_.btnConfigGerenciaClick(); }));
    grade->addWidget(bancos, 3, 0);

    auto *email = new QGroupBox(QStringLiteral("Configuração para envio de email nos relatórios"), pagina);
    auto *ge = new QGridLayout(email);
    const auto linha = [&](int numero, const char *rotulo, QLineEdit *caixa) {
        ge->addWidget(new QLabel(QString::fromUtf8(rotulo), email), numero, 0);
        ge->addWidget(caixa, numero, 1, 1, 4);
    };
    linha(0, "E-mail", caixaNucleo("edtEMail_", &TfrmGerencia::edtEMail_));
    linha(1, "SMTP", caixaNucleo("edtSMTP", &TfrmGerencia::edtSMTP));
    QLineEdit *senha = caixaNucleo("edtPassword", &TfrmGerencia::edtPassword);
    senha->setEchoMode(QLineEdit::Password);
    linha(2, "Senha", senha);
    linha(3, "Endereço temporário do relatório",
          caixaNucleo("edtPathtmpEmail", &TfrmGerencia::edtPathtmpEmail));
    linha(4, "Impressora PDF", caixaNucleo("edtPrintPdf", &TfrmGerencia::edtPrintPdf));
    edtport25 = nomeado(new QRadioButton(QStringLiteral("25"), email), "edtport25");
    edtport587 = nomeado(new QRadioButton(QStringLiteral("587"), email), "edtport587");
    edtPortOutra = nomeado(new QRadioButton(QStringLiteral("Outra"), email), "edtPortOutra");
    ge->addWidget(new QLabel(QStringLiteral("Porta"), email), 5, 0);
    ge->addWidget(edtport25, 5, 1);
    ge->addWidget(edtport587, 5, 2);
    ge->addWidget(edtPortOutra, 5, 3);
    ge->addWidget(caixaNucleo("edtNOutraPort", &TfrmGerencia::edtNOutraPort), 5, 4);
    for (auto [radio, porta] :
         {std::pair{edtport25, TfrmGerencia::Porta::P25}, std::pair{edtport587, TfrmGerencia::Porta::P587},
          std::pair{edtPortOutra, TfrmGerencia::Porta::Outra}})
        connect(radio, &QRadioButton::clicked, this, [this, porta = porta] { core_.porta = porta; });
    ge->addWidget(botao("btnSalvarEmail", QStringLiteral("Salvar"), [this] { core_.btnSalvarEmailClick(); }),
                  6, 0);
    grade->addWidget(email, 4, 0);
    return pagina;
}

void FrmGerenciaView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (ativado_)
        return;
    ativado_ = true;
    executa([this] { core_.FormActivate(); });
}

void FrmGerenciaView::done(int resultado)
{
    executaProtegido([this] { core_.FormClose(); });
    QDialog::done(resultado);
}

bool FrmGerenciaView::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    const QString nome = objeto->objectName();
    if (evento->type() == QEvent::FocusIn && nome == QLatin1String("edtSenha"))
        executa([this] { core_.edtSenhaEnter(); });
    if (evento->type() == QEvent::FocusOut) {
        if (nome == QLatin1String("edtConfirma"))
            executa([this] { core_.edtConfirmaExit(); });
        else if (nome == QLatin1String("edtNivel"))
            executa([this] { core_.edtNivelExit(); });
        else if (nome == QLatin1String("edtCnpj"))
            executa([this] { core_.edtCnpjExit(); });
    }
    return QDialog::eventFilter(objeto, evento);
}

void FrmGerenciaView::mostra()
{
    statusBar->setText(paraQString(core_.statusBar));
    lblcodigo->setText(paraQString(core_.lblcodigo));
    db::DataSet *usuarios = gerencia_.tblUsuarios.get();
    db::DataSet *empresas = gerencia_.tblEmpresaHD.get();
    preencheGrade(grdUsuarios, usuarios, {"USUARIO", "USERNAME"});
    for (auto &[caixa, ligacao] : ligadas_) {
        db::DataSet *tabela = ligacao.first == 'U' ? usuarios : empresas;
        const bool comLinha = tabela && tabela->active() &&
                              (tabela->state() != db::DataSet::State::Browse || !tabela->isEmpty());
        const QString texto = comLinha ? paraQString(tabela->field(ligacao.second).asString()) : QString();
        if (caixa->text() != texto)
            caixa->setText(texto);
    }
    for (auto &[caixa, campo] : nucleo_)
        if (caixa->text() != paraQString(core_.*campo))
            caixa->setText(paraQString(core_.*campo));
    const bool comUsuario = usuarios && usuarios->active() && !usuarios->isEmpty();
    chkGerente->setChecked(comUsuario && usuarios->field("CAMPO_AUX1").asString() == "T");
    edtport25->setChecked(core_.porta == TfrmGerencia::Porta::P25);
    edtport587->setChecked(core_.porta == TfrmGerencia::Porta::P587);
    edtPortOutra->setChecked(core_.porta == TfrmGerencia::Porta::Outra);
    Porcento->setMaximum(std::max(core_.PorcentoMax, 1));
    Porcento->setValue(core_.PorcentoPos);

    const auto aplica = [this](const char *sufixo, const BotoesDados &botoes) {
        const std::string s(sufixo);
        const std::pair<const char *, bool> estados[] = {
            {"btnIncluir", botoes.incluir},   {"btnEliminar", botoes.eliminar},
            {"btnSalvar", botoes.salvar},     {"btnCancelar", botoes.cancelar},
            {"btnAnterior", botoes.anterior}, {"btnProximo", botoes.proximo}};
        for (const auto &[prefixo, ligado] : estados)
            if (auto achou = botoesDados_.find(prefixo + s); achou != botoesDados_.end())
                achou->second->setEnabled(ligado);
    };
    aplica("Usuario", core_.botoesUsuarios());
    aplica("Empresa", core_.botoesEmpresa());
    aplica("Config", core_.botoesEmpresa());
}
