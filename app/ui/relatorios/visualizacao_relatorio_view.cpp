#include "app/ui/relatorios/visualizacao_relatorio_view.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/relatorios/frm_rdp.h"
#include "app/relatorios/relatorio_texto.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

namespace {

template <class Widget> Widget *nomeado(Widget *widget, const char *nome)
{
    widget->setObjectName(QLatin1String(nome));
    return widget;
}

} // namespace

VisualizacaoRelatorio::VisualizacaoRelatorio(const RelatorioTexto &relatorio, QWidget *parent)
    : QDialog(parent), relatorio_(relatorio), texto(nomeado(new QPlainTextEdit(this), "texto")),
      lblPagina(nomeado(new QLabel(this), "lblPagina")),
      btnAnterior(nomeado(new QPushButton(QStringLiteral("<"), this), "btnAnterior")),
      btnProximo(nomeado(new QPushButton(QStringLiteral(">"), this), "btnProximo"))
{
    setObjectName(QStringLiteral("frmVisualizacao"));
    setWindowTitle(paraQString(relatorio.opcoes().titulo));
    setModal(true);
    texto->setReadOnly(true);
    texto->setLineWrapMode(QPlainTextEdit::NoWrap);
    texto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texto->setMinimumSize(720, 480);
    auto *imprimir = nomeado(new QPushButton(QStringLiteral("Imprimir"), this), "btnImprimir");
    auto *fechar = nomeado(new QPushButton(QStringLiteral("Fechar"), this), "btnFechar");
    auto *layout = new QGridLayout(this);
    layout->addWidget(texto, 0, 0, 1, 5);
    layout->addWidget(btnAnterior, 1, 0);
    layout->addWidget(lblPagina, 1, 1);
    layout->addWidget(btnProximo, 1, 2);
    layout->addWidget(imprimir, 1, 3);
    layout->addWidget(fechar, 1, 4);
    connect(btnAnterior, &QPushButton::clicked, this, [this] {
        if (pagina_ > 0)
            --pagina_;
        mostra();
    });
    connect(btnProximo, &QPushButton::clicked, this, [this] {
        if (pagina_ + 1 < relatorio_.paginas().size())
            ++pagina_;
        mostra();
    });
    connect(imprimir, &QPushButton::clicked, this,
            [this] { executaProtegido([this] { relatorio_.imprime(); }); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    mostra();
}

void VisualizacaoRelatorio::mostra()
{
    const std::size_t total = relatorio_.paginas().size();
    QStringList linhas;
    if (pagina_ < total)
        for (const std::string &linha : relatorio_.linhasTexto(pagina_))
            linhas << paraQString(linha);
    texto->setPlainText(linhas.join(QLatin1Char('\n')));
    lblPagina->setText(QStringLiteral("Página %1 de %2").arg(pagina_ + 1).arg(total));
    btnAnterior->setEnabled(pagina_ > 0);
    btnProximo->setEnabled(pagina_ + 1 < total);
}

void instalaVisualizacaoRelatorio(TfrmRdp &rdp)
{
    rdp.RDprint.visualiza = [](const RelatorioTexto &relatorio) {
        VisualizacaoRelatorio janela(relatorio);
        janela.exec();
    };
}
