#include "console/ui/config_geral/frm_config_geral40_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"
#include "console/config_geral/disposicao_tela.h"
#include "console/config_geral/frm_config_geral40.h"
#include "console/ui/config_geral/grupo_radio.h"
#include "console/ui/config_geral/perguntas_qt.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <set>

namespace {

// Edits whose text is masked with "*".
const std::set<std::string, std::less<>> kMascarados = {"edtSenha", "edtProxySenha"};

// The file's XML indented for reading; its text as it is when it is not
// well-formed.
QString textoParaLeitura(const QString &arquivo)
{
    QFile entrada(arquivo);
    if (!entrada.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = entrada.readAll();
    xmlDocPtr doc =
        xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc)
        return QString::fromUtf8(bytes);
    xmlChar *saida = nullptr;
    int tamanho = 0;
    xmlDocDumpFormatMemoryEnc(doc, &saida, &tamanho, "UTF-8", 1);
    QString texto = QString::fromUtf8(reinterpret_cast<const char *>(saida), tamanho);
    xmlFree(saida);
    xmlFreeDoc(doc);
    return texto;
}

void preencheArvore(QTreeWidget *arvore, const std::vector<NoArvore> &nos)
{
    arvore->setUpdatesEnabled(false);
    arvore->clear();
    std::function<void(QTreeWidgetItem *, const NoArvore &)> adiciona = [&](QTreeWidgetItem *pai,
                                                                            const NoArvore &no) {
        auto *item = new QTreeWidgetItem(QStringList(paraQString(no.legenda)));
        for (const auto &filho : no.filhos)
            adiciona(item, filho);
        if (pai)
            pai->addChild(item);
        else
            arvore->addTopLevelItem(item);
    };
    for (const auto &no : nos)
        adiciona(nullptr, no);
    arvore->expandAll();
    arvore->setUpdatesEnabled(true);
    if (arvore->topLevelItemCount() > 0)
        arvore->scrollToItem(arvore->topLevelItem(0), QAbstractItemView::PositionAtTop);
}

QPlainTextEdit *memo(const char *nome, QWidget *pai, bool quebra = true)
{
    auto *m = new QPlainTextEdit(pai);
    m->setObjectName(QString::fromLatin1(nome));
    m->setReadOnly(true);
    if (!quebra)
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

// A tab's or a box's rows: the fields take the width left, and a label too
// long for its row puts its field on the line below.
QFormLayout *formulario(QWidget *pai)
{
    auto *f = new QFormLayout(pai);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    f->setRowWrapPolicy(QFormLayout::WrapLongRows);
    return f;
}

QTreeWidget *arvore(const char *nome, QWidget *pai)
{
    auto *t = new QTreeWidget(pai);
    t->setObjectName(QString::fromLatin1(nome));
    t->setHeaderHidden(true);
    return t;
}

} // namespace

TfrmConfigGeral40View::TfrmConfigGeral40View(TfrmConfigGeral40 &core, QWidget *parent)
    : QWidget(parent, Qt::Window), core_(core)
{
    setObjectName(QStringLiteral("frmConfigGeral40"));
    setWindowTitle(paraQString(TfrmConfigGeral40::kTitulo));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(criaConfiguracoes(), 5);
    layout->addWidget(criaConsole(), 4);
    perguntas_ = std::make_unique<PerguntasQt>(this);
    core_.DefinirPerguntas(perguntas_.get());
    core_.aoMudar = [this] { mostra(); };
    mostra();
}

TfrmConfigGeral40View::~TfrmConfigGeral40View()
{
    core_.aoMudar = {};
    core_.DefinirPerguntas(nullptr);
}

QWidget *TfrmConfigGeral40View::criaConfiguracoes()
{
    auto *metade = new QWidget(this);
    auto *coluna = new QVBoxLayout(metade);
    PageControl1 = new QTabWidget(metade);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *configuracoes = new QTabWidget(PageControl1);
    PageControl1->addTab(configuracoes, QString::fromUtf8("Configurações"));

    // The rows of each tab, and of each titled box ("tab/box") inside one.
    std::map<std::string, QFormLayout *, std::less<>> folhas;
    const auto novaFolha = [&](QTabWidget *abas, const char *aba) {
        auto *rolagem = new QScrollArea(abas);
        rolagem->setWidgetResizable(true);
        auto *pagina = new QWidget(rolagem);
        folhas[aba] = formulario(pagina);
        rolagem->setWidget(pagina);
        abas->addTab(rolagem, QString::fromUtf8(aba));
    };
    for (const char *aba :
         {"Certificado", "Geral", "WebService", "Emitente", "Arquivos", "Responsavel Tecnico"})
        novaFolha(configuracoes, aba);
    novaFolha(PageControl1, "DANFe");
    novaFolha(PageControl1, "Email");
    const auto folha = [&](std::string_view aba, std::string_view grupo) {
        QFormLayout *pagina = folhas.at(std::string(aba));
        if (grupo.empty())
            return pagina;
        QFormLayout *&caixa = folhas[std::string(aba) + "/" + std::string(grupo)];
        if (!caixa) {
            auto *moldura = new QGroupBox(paraQString(grupo), this);
            caixa = formulario(moldura);
            pagina->addRow(moldura);
        }
        return caixa;
    };

    for (const auto &chave : chavesConfiguracao()) {
        const std::string nome(chave.controle);
        if (widgets_.contains(nome))
            continue;
        const LegendaControle &legenda = *legendaDoControle(nome);
        QWidget *widget = criaControle(chave, legenda);
        widget->setObjectName(QString::fromStdString(nome));
        if (!legenda.dica.empty())
            widget->setToolTip(paraQString(legenda.dica));
        widgets_[nome] = widget;
        QFormLayout *f = folha(abaDaSessao(chave.sessao), legenda.grupo);
        QWidget *linha = comBotoesAoLado(widget, nome);
        if (qobject_cast<QCheckBox *>(widget) || dynamic_cast<GrupoRadio *>(widget))
            f->addRow(linha);
        else
            f->addRow(paraQString(legenda.legenda), linha);
    }
    // The tax regime comes from the emitter screen and is stored by no key.
    auto *regime =
        new GrupoRadio(QString::fromUtf8("Regime de Operação"), {"Simples Nacional", "Regime Normal"}, this);
    regime->setObjectName(QStringLiteral("rdRegimeOperacao"));
    regime->setEnabled(false);
    folha("Emitente", "")->addRow(regime);

    for (const auto &botao : botoesTela())
        if (botao.aoLadoDe.empty() && folhas.contains(botao.aba))
            folha(botao.aba, botao.grupo)->addRow(criaBotao(botao));
    coluna->addWidget(PageControl1);
    coluna->addWidget(criaBotao(*botaoTela("btnSalvarConfig")));
    return metade;
}

QWidget *TfrmConfigGeral40View::criaControle(const ChaveConfiguracao &chave, const LegendaControle &legenda)
{
    const std::string nome(chave.controle);
    switch (tipoControle(chave.conversao)) {
    case TipoControle::Edit:
        if (chave.conversao == Conversao::Memo) {
            auto *m = new QPlainTextEdit(this);
            connect(m, &QPlainTextEdit::textChanged, this, [this, m, nome] {
                if (!mostrando_)
                    core_.controle(nome).texto = deQString(m->toPlainText());
            });
            return m;
        } else {
            auto *edit = new QLineEdit(this);
            if (kMascarados.contains(nome))
                edit->setEchoMode(QLineEdit::Password);
            edit->setReadOnly(chave.sessao == "Emitente");
            connect(edit, &QLineEdit::textEdited, this,
                    [this, nome](const QString &texto) { core_.controle(nome).texto = deQString(texto); });
            return edit;
        }
    case TipoControle::Caixa: {
        auto *caixa = new QCheckBox(paraQString(legenda.legenda), this);
        connect(caixa, &QCheckBox::clicked, this,
                [this, nome](bool marcado) { core_.controle(nome).marcado = marcado; });
        return caixa;
    }
    case TipoControle::Lista:
        break;
    }
    if (legenda.grupoRadio) {
        auto *grupo = new GrupoRadio(paraQString(legenda.legenda), core_.controle(nome).itens, this);
        grupo->aoEscolher = [this, nome](int indice) { core_.controle(nome).indice = indice; };
        return grupo;
    }
    auto *lista = new QComboBox(this);
    for (const auto &item : core_.controle(nome).itens)
        lista->addItem(paraQString(item));
    connect(lista, &QComboBox::activated, this, [this, nome](int indice) {
        core_.controle(nome).indice = indice;
        // clang-format off
        static const std::map<std::string, void (TfrmConfigGeral40::*)(), std::less<>> trocas = {
            {"cbSSLLib", &TfrmConfigGeral40::cbSSLLibChange},
            {"cbCryptLib", &TfrmConfigGeral40::cbCryptLibChange},
            {"cbHttpLib", &TfrmConfigGeral40::cbHttpLibChange},
            {"cbXmlSignLib", &TfrmConfigGeral40::cbXmlSignLibChange},
            {"cbSSLType", &TfrmConfigGeral40::cbSSLTypeChange},
        };
        // clang-format on
        if (const auto troca = trocas.find(nome); troca != trocas.end())
            executa([this, metodo = troca->second] { (core_.*metodo)(); });
    });
    return lista;
}

QWidget *TfrmConfigGeral40View::comBotoesAoLado(QWidget *widget, std::string_view nome)
{
    QHBoxLayout *linha = nullptr;
    QWidget *conjunto = nullptr;
    for (const auto &botao : botoesTela()) {
        if (botao.aoLadoDe != nome)
            continue;
        if (!linha) {
            conjunto = new QWidget(this);
            linha = new QHBoxLayout(conjunto);
            linha->setContentsMargins(0, 0, 0, 0);
            linha->addWidget(widget, 1);
        }
        QPushButton *b = criaBotao(botao);
        // A picker's button as wide as its caption, so the edit keeps the row.
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
        linha->addWidget(b);
    }
    return conjunto ? conjunto : widget;
}

QPushButton *TfrmConfigGeral40View::criaBotao(const BotaoTela &botao)
{
    auto *b = new QPushButton(paraQString(botao.legenda), this);
    b->setObjectName(paraQString(botao.nome));
    b->setEnabled(botaoAtivo(botao));
    connect(b, &QPushButton::clicked, this, [this, &botao] { pressiona(botao); });
    return b;
}

QWidget *TfrmConfigGeral40View::criaConsole()
{
    auto *metade = new QWidget(this);
    auto *coluna = new QVBoxLayout(metade);
    PageControl3 = new QTabWidget(metade);
    PageControl3->setObjectName(QStringLiteral("PageControl3"));
    for (const char *aba : {"NF-e", "NFC-e"}) {
        auto *pagina = new QWidget(PageControl3);
        auto *grade = new QGridLayout(pagina);
        int posicao = 0;
        for (const auto &botao : botoesTela())
            if (botao.aba == aba) {
                grade->addWidget(criaBotao(botao), posicao / 3, posicao % 3);
                ++posicao;
            }
        grade->setRowStretch(grade->rowCount(), 1);
        PageControl3->addTab(pagina, QString::fromUtf8(aba));
    }
    connect(PageControl3, &QTabWidget::currentChanged, this, [this](int pagina) {
        if (!mostrando_)
            core_.PageControl3 = pagina;
    });

    pgRespostas = new QTabWidget(metade);
    pgRespostas->setObjectName(QStringLiteral("pgRespostas"));
    MemoResp = memo("MemoResp", pgRespostas);
    WBResposta = memo("WBResposta", pgRespostas, false);
    memoLog = memo("memoLog", pgRespostas);
    trvwNFe = arvore("trvwNFe", pgRespostas);
    memoRespWS = memo("memoRespWS", pgRespostas);
    MemoDados = memo("MemoDados", pgRespostas, false);
    TreeViewRetornoConsulta = arvore("TreeViewRetornoConsulta", pgRespostas);
    pgRespostas->addTab(MemoResp, QStringLiteral("Respostas"));
    pgRespostas->addTab(WBResposta, QStringLiteral("XML Resposta"));
    pgRespostas->addTab(memoLog, QStringLiteral("Log"));
    pgRespostas->addTab(trvwNFe, QStringLiteral("NFe"));
    pgRespostas->addTab(memoRespWS, QStringLiteral("Retorno Completo WS"));
    pgRespostas->addTab(MemoDados, QStringLiteral("Dados"));
    pgRespostas->addTab(TreeViewRetornoConsulta, QStringLiteral("RetornoConsulta NFe 2.01"));
    connect(pgRespostas, &QTabWidget::currentChanged, this, [this](int pagina) {
        if (!mostrando_)
            core_.pgRespostas = pagina;
    });
    coluna->addWidget(PageControl3);
    coluna->addWidget(pgRespostas, 1);
    return metade;
}

void TfrmConfigGeral40View::executa(const std::function<void()> &tratador)
{
    ocupado_ = true;
    executaProtegido(tratador);
    ocupado_ = false;
    mostra();
}

void TfrmConfigGeral40View::pressiona(const BotaoTela &botao)
{
    executa([this, &botao] { pressionaBotao(core_, botao); });
    if (botao.acao == &TfrmConfigGeral40::btnSalvarConfigClick &&
        core_.ModalResult == TfrmConfigGeral40::ResultadoModal::Ok)
        close();
}

bool TfrmConfigGeral40View::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate && !ocupado_) {
        // A window of this program that was active just before (a box or
        // dialog the screen opened) gives the focus back: no activation.
        const bool volta = !ultimaJanelaPropria_.isNull();
        ultimaJanelaPropria_.clear();
        if (!volta)
            executa([this] { core_.FormActivate(); });
    } else if (evento->type() == QEvent::WindowDeactivate) {
        QWidget *ativa = QApplication::activeWindow();
        ultimaJanelaPropria_ = ativa && ativa != this ? ativa : nullptr;
    }
    return QWidget::event(evento);
}

void TfrmConfigGeral40View::mostra()
{
    mostrando_ = true;
    for (const auto &[nome, widget] : widgets_) {
        const auto &c = core_.controle(nome);
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setText(paraQString(c.texto));
            edit->setCursorPosition(0);
        } else if (auto *m = qobject_cast<QPlainTextEdit *>(widget))
            m->setPlainText(paraTela(c.texto));
        else if (auto *caixa = qobject_cast<QCheckBox *>(widget))
            caixa->setChecked(c.marcado);
        else if (auto *grupo = dynamic_cast<GrupoRadio *>(widget))
            grupo->setIndice(c.indice);
        else if (auto *lista = qobject_cast<QComboBox *>(widget))
            lista->setCurrentIndex(c.indice);
        widget->setEnabled(c.habilitado);
    }
    MemoResp->setPlainText(paraTela(core_.MemoResp));
    memoLog->setPlainText(paraTela(core_.memoLog));
    memoRespWS->setPlainText(paraTela(core_.memoRespWS));
    MemoDados->setPlainText(paraTela(core_.MemoDados));
    if (WBResposta->property("arquivo").toString() != paraQString(core_.WBResposta.arquivo) ||
        !core_.WBResposta.arquivo.empty()) {
        WBResposta->setProperty("arquivo", paraQString(core_.WBResposta.arquivo));
        WBResposta->setPlainText(textoParaLeitura(paraQString(core_.WBResposta.arquivo)));
    }
    preencheArvore(trvwNFe, core_.trvwNFe);
    preencheArvore(TreeViewRetornoConsulta, core_.TreeViewRetornoConsulta);
    PageControl3->setCurrentIndex(core_.PageControl3);
    pgRespostas->setCurrentIndex(core_.pgRespostas);
    mostrando_ = false;
}

bool MostraConfigGeral40(TfrmConfigGeral40 &core)
{
    core.ModalResult = TfrmConfigGeral40::ResultadoModal::Nenhum;
    TfrmConfigGeral40View tela(core);
    tela.setWindowModality(Qt::ApplicationModal);
    tela.setAttribute(Qt::WA_DeleteOnClose, false);
    tela.resize(1100, 700);
    if (const QScreen *tela_ = QGuiApplication::primaryScreen())
        tela.move(tela_->availableGeometry().center() - tela.rect().center());
    QEventLoop laco;
    tela.show();
    while (tela.isVisible())
        laco.processEvents(QEventLoop::WaitForMoreEvents);
    return core.ModalResult == TfrmConfigGeral40::ResultadoModal::Ok;
}
