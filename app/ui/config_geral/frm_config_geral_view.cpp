#include "app/ui/config_geral/frm_config_geral_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/config_geral/frm_config_geral.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

#include <functional>
#include <set>

namespace {

const std::set<std::string, std::less<>> kMascarados = {"edtSenha", "edtTokenId"};

const std::map<std::string, void (TfrmConfigGeral::*)(), std::less<>> kBotoes = {
    {"sbtnCaminhoCert", &TfrmConfigGeral::sbtnCaminhoCertClick},
    {"sbtnGetCert", &TfrmConfigGeral::sbtnGetCertClick},
    {"sbtnLogoMarca", &TfrmConfigGeral::sbtnLogoMarcaClick},
    {"btnLogoPref", &TfrmConfigGeral::btnLogoPrefClick},
    {"btnLogoPrest", &TfrmConfigGeral::btnLogoPrestClick},
    {"SpeedButton1", &TfrmConfigGeral::SpeedButton1Click},
    {"btntestaemail", &TfrmConfigGeral::btntestaemailClick},
};

bool grupoDeOpcoes(std::string_view nome)
{
    return nome.starts_with("rg") || nome.starts_with("rd");
}

} // namespace

TfrmConfigGeralView::TfrmConfigGeralView(TfrmConfigGeral &core, QWidget *parent)
    : QDialog(parent), core_(core), PageControl1(new QTabWidget(this)), lblCertificado(new QLabel(this))
{
    setObjectName(QStringLiteral("frmConfigGeral"));
    setWindowTitle(QString::fromUtf8(TfrmConfigGeral::kTitulo));
    setModal(true);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    lblCertificado->setObjectName(QStringLiteral("lblCertificado"));
    criaControles();

    auto *botoes = new QDialogButtonBox(this);
    auto *confirmar = botoes->addButton(QStringLiteral("Confirmar"), QDialogButtonBox::AcceptRole);
    auto *cancelar = botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    confirmar->setObjectName(QStringLiteral("Confirmar"));
    cancelar->setObjectName(QStringLiteral("Cancelar"));
    connect(confirmar, &QPushButton::clicked, this, [this] {
        executaProtegido([this] { core_.ConfirmarClick(); });
        if (core_.ModalResult == TfrmConfigGeral::ResultadoModal::Ok)
            accept();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] {
        core_.CancelarClick();
        reject();
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int pagina) {
        if (!mostrando_)
            core_.paginaAtual = pagina;
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(botoes);
    mostra();
}

void TfrmConfigGeralView::criaControles()
{
    std::vector<QFormLayout *> paginas;
    for (const auto pagina : paginasConfigGeral()) {
        auto *folha = new QWidget(PageControl1);
        paginas.push_back(new QFormLayout(folha));
        PageControl1->addTab(folha, paraQString(pagina));
    }
    paginas[0]->addRow(lblCertificado);

    for (const auto &d : controlesConfigGeral()) {
        const std::string nome(d.nome);
        const QString rotulo = paraQString(d.rotulo);
        QFormLayout *folha = paginas[static_cast<std::size_t>(d.pagina)];
        QWidget *widget = nullptr;
        switch (d.tipo) {
        case TipoControleNfse::Edit:
            if (nome.starts_with("mm")) {
                auto *memo = new QPlainTextEdit(this);
                connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, nome] {
                    if (!mostrando_)
                        core_.controle(nome).texto = deQString(memo->toPlainText());
                });
                widget = memo;
            } else {
                auto *edit = new QLineEdit(this);
                if (kMascarados.contains(nome))
                    edit->setEchoMode(QLineEdit::Password);
                connect(edit, &QLineEdit::textEdited, this, [this, edit, nome](const QString &texto) {
                    if (nome == "edtNumSerie" && texto != texto.toUpper()) {
                        const int cursor = edit->cursorPosition();
                        edit->setText(texto.toUpper());
                        edit->setCursorPosition(cursor);
                    }
                    core_.controle(nome).texto = deQString(edit->text());
                });
                widget = edit;
            }
            folha->addRow(rotulo, widget);
            break;
        case TipoControleNfse::Caixa: {
            auto *caixa = new QCheckBox(rotulo, this);
            connect(caixa, &QCheckBox::clicked, this,
                    [this, nome](bool marcado) { core_.controle(nome).marcado = marcado; });
            widget = caixa;
            folha->addRow(widget);
            break;
        }
        case TipoControleNfse::Lista:
            if (grupoDeOpcoes(nome)) {
                auto *grupo = new QGroupBox(rotulo, this);
                auto *linhas = new QVBoxLayout(grupo);
                auto *opcoes = new QButtonGroup(grupo);
                int id = 0;
                for (const auto item : d.itens) {
                    auto *opcao = new QRadioButton(paraQString(item), grupo);
                    linhas->addWidget(opcao);
                    opcoes->addButton(opcao, id++);
                }
                connect(opcoes, &QButtonGroup::idClicked, this,
                        [this, nome](int i) { core_.escolhe(nome, i); });
                grupos_[nome] = opcoes;
                widget = grupo;
                folha->addRow(widget);
            } else {
                auto *combo = new QComboBox(this);
                for (const auto item : d.itens)
                    combo->addItem(paraQString(item));
                connect(combo, &QComboBox::activated, this, [this, nome](int i) { core_.escolhe(nome, i); });
                widget = combo;
                folha->addRow(rotulo, widget);
            }
            break;
        case TipoControleNfse::Botao: {
            auto *botao = new QPushButton(nome == "sbtnGetCert" ? QStringLiteral("...") : rotulo, this);
            botao->setToolTip(rotulo);
            botao->setAutoDefault(false);
            connect(botao, &QPushButton::clicked, this, [this, nome] { clique(nome); });
            widget = botao;
            folha->addRow(widget);
            break;
        }
        }
        widget->setObjectName(QString::fromStdString(nome));
        widgets_[nome] = widget;
        formularios_[nome] = folha;
    }
}

void TfrmConfigGeralView::clique(const std::string &botao)
{
    const auto metodo = kBotoes.at(botao);
    executaProtegido([this, metodo] { (core_.*metodo)(); });
    mostra();
}

void TfrmConfigGeralView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    executaProtegido([this] { core_.FormActivate(); });
    mostra();
}

void TfrmConfigGeralView::mostra()
{
    mostrando_ = true;
    lblCertificado->setText(paraQString(core_.lblCertificado).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    lblCertificado->setVisible(!core_.lblCertificado.empty());
    for (const auto &d : controlesConfigGeral()) {
        const std::string nome(d.nome);
        const TfrmConfigGeral::Controle &c = core_.controle(nome);
        QWidget *widget = widgets_.at(nome);
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setText(paraQString(c.texto));
        else if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
            memo->setPlainText(paraTela(c.texto));
        else if (auto *caixa = qobject_cast<QCheckBox *>(widget))
            caixa->setChecked(c.marcado);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            combo->setCurrentIndex(c.indice);
        else if (grupos_.contains(nome)) {
            QButtonGroup *opcoes = grupos_.at(nome);
            if (QAbstractButton *opcao = opcoes->button(c.indice))
                opcao->setChecked(true);
            else if (opcoes->checkedButton()) {
                opcoes->setExclusive(false);
                opcoes->checkedButton()->setChecked(false);
                opcoes->setExclusive(true);
            }
        }
        formularios_.at(nome)->setRowVisible(widget, c.visivel);
    }
    PageControl1->setCurrentIndex(core_.paginaAtual);
    mostrando_ = false;
}

void instalaConfigGeralQt()
{
    instalaConfigGeral([](TfrmConfigGeral &core) {
        TfrmConfigGeralView tela(core);
        tela.exec();
    });
}
