#include "console/ui/config_geral/frm_config_geral40_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
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
#include "console/config_geral/frm_config_geral40.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <set>

namespace {

const std::set<std::string, std::less<>> kMascarados = {"edtSenha", "edtProxySenha", "edtEmailSenha"};

// The inner settings tab a section's controls sit on.
// clang-format off
const std::map<std::string, std::string, std::less<>> kAbaDaSessao = {
    {"Certificado", "Certificado"},         {"Geral", "Geral"},
    {"WebService", "WebService"},           {"Proxy", "WebService"},
    {"Emitente", "Emitente"},               {"Arquivos", "Arquivos"},
    {"Responsavel", "Responsavel Tecnico"}, {"AutXmlXCtb", "Responsavel Tecnico"},
};
// clang-format on

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
    layout->addWidget(criaConfiguracoes(), 1);
    layout->addWidget(criaConsole(), 1);
    core_.aoMudar = [this] { mostra(); };
    mostra();
}

TfrmConfigGeral40View::~TfrmConfigGeral40View()
{
    core_.aoMudar = {};
}

QWidget *TfrmConfigGeral40View::criaConfiguracoes()
{
    auto *metade = new QWidget(this);
    auto *coluna = new QVBoxLayout(metade);
    PageControl1 = new QTabWidget(metade);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *configuracoes = new QTabWidget(PageControl1);
    PageControl1->addTab(configuracoes, QString::fromUtf8("Configurações"));

    std::map<std::string, QFormLayout *, std::less<>> folhas;
    auto folha = [&](QTabWidget *abas, const std::string &aba) {
        auto &f = folhas[aba];
        if (!f) {
            auto *rolagem = new QScrollArea(abas);
            rolagem->setWidgetResizable(true);
            auto *pagina = new QWidget(rolagem);
            f = new QFormLayout(pagina);
            rolagem->setWidget(pagina);
            abas->addTab(rolagem, paraQString(aba));
        }
        return f;
    };
    for (const char *aba :
         {"Certificado", "Geral", "WebService", "Emitente", "Arquivos", "Responsavel Tecnico"})
        folha(configuracoes, aba);
    folha(PageControl1, "DANFe");
    folha(PageControl1, "Email");

    for (const auto &chave : chavesConfiguracao()) {
        const std::string nome(chave.controle);
        if (widgets_.contains(nome))
            continue;
        const auto aba = kAbaDaSessao.find(chave.sessao);
        QFormLayout *f = aba != kAbaDaSessao.end() ? folha(configuracoes, aba->second)
                         : chave.sessao == "DANFE" ? folha(PageControl1, "DANFe")
                                                   : folha(PageControl1, "Email");
        const QString rotulo = paraQString(chave.chave);
        QWidget *widget = nullptr;
        switch (tipoControle(chave.conversao)) {
        case TipoControle::Edit:
            if (chave.conversao == Conversao::Memo) {
                auto *m = new QPlainTextEdit(this);
                connect(m, &QPlainTextEdit::textChanged, this, [this, m, nome] {
                    if (!mostrando_)
                        core_.controle(nome).texto = deQString(m->toPlainText());
                });
                widget = m;
            } else {
                auto *edit = new QLineEdit(this);
                if (kMascarados.contains(nome))
                    edit->setEchoMode(QLineEdit::Password);
                edit->setReadOnly(chave.sessao == "Emitente");
                connect(edit, &QLineEdit::textEdited, this, [this, nome](const QString &texto) {
                    core_.controle(nome).texto = deQString(texto);
                });
                widget = edit;
            }
            f->addRow(rotulo, widget);
            break;
        case TipoControle::Caixa: {
            auto *caixa = new QCheckBox(rotulo, this);
            connect(caixa, &QCheckBox::clicked, this,
                    [this, nome](bool marcado) { core_.controle(nome).marcado = marcado; });
            widget = caixa;
            f->addRow(widget);
            break;
        }
        case TipoControle::Lista: {
            auto *lista = new QComboBox(this);
            for (const auto &item : core_.controle(nome).itens)
                lista->addItem(paraQString(item));
            connect(lista, &QComboBox::activated, this, [this, nome](int indice) {
                core_.controle(nome).indice = indice;
                ocupado_ = true;
                // clang-format off
                const std::map<std::string, void (TfrmConfigGeral40::*)(), std::less<>> trocas = {
                    {"cbSSLLib", &TfrmConfigGeral40::cbSSLLibChange},
                    {"cbCryptLib", &TfrmConfigGeral40::cbCryptLibChange},
                    {"cbHttpLib", &TfrmConfigGeral40::cbHttpLibChange},
                    {"cbXmlSignLib", &TfrmConfigGeral40::cbXmlSignLibChange},
                    {"cbSSLType", &TfrmConfigGeral40::cbSSLTypeChange},
                };
                // clang-format on
                if (const auto troca = trocas.find(nome); troca != trocas.end())
                    executaProtegido([this, metodo = troca->second] { (core_.*metodo)(); });
                ocupado_ = false;
                mostra();
            });
            widget = lista;
            f->addRow(rotulo, widget);
            break;
        }
        }
        widget->setObjectName(QString::fromStdString(nome));
        widgets_[nome] = widget;
    }

    auto *salvar = new QPushButton(QString::fromUtf8("Salvar Configurações"), metade);
    salvar->setObjectName(QStringLiteral("btnSalvarConfig"));
    connect(salvar, &QPushButton::clicked, this, [this] { salva(); });
    coluna->addWidget(PageControl1);
    coluna->addWidget(salvar);
    return metade;
}

QWidget *TfrmConfigGeral40View::criaConsole()
{
    auto *metade = new QWidget(this);
    auto *coluna = new QVBoxLayout(metade);
    PageControl3 = new QTabWidget(metade);
    PageControl3->setObjectName(QStringLiteral("PageControl3"));
    PageControl3->addTab(new QWidget(PageControl3), QStringLiteral("NF-e"));
    auto *nfce = new QWidget(PageControl3);
    auto *criarEnviar = new QPushButton(QStringLiteral("Criar e Enviar"), nfce);
    criarEnviar->setEnabled(false);
    (new QVBoxLayout(nfce))->addWidget(criarEnviar);
    PageControl3->addTab(nfce, QStringLiteral("NFC-e"));
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
    coluna->addWidget(PageControl3, 1);
    coluna->addWidget(pgRespostas, 3);
    return metade;
}

void TfrmConfigGeral40View::salva()
{
    ocupado_ = true;
    executaProtegido([this] { core_.btnSalvarConfigClick(); });
    ocupado_ = false;
    mostra();
    if (core_.ModalResult == TfrmConfigGeral40::ResultadoModal::Ok)
        close();
}

bool TfrmConfigGeral40View::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate && !ocupado_) {
        // A window of this program that was active just before (a box or
        // dialog the screen opened) gives the focus back: no activation.
        const bool volta = !ultimaJanelaPropria_.isNull();
        ultimaJanelaPropria_.clear();
        if (!volta) {
            ocupado_ = true;
            executaProtegido([this] { core_.FormActivate(); });
            ocupado_ = false;
            mostra();
        }
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
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setText(paraQString(c.texto));
        else if (auto *m = qobject_cast<QPlainTextEdit *>(widget))
            m->setPlainText(paraTela(c.texto));
        else if (auto *caixa = qobject_cast<QCheckBox *>(widget))
            caixa->setChecked(c.marcado);
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
