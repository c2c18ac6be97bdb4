#include "app/ui/dados/selecao_empresa_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dados/selecao_empresa.h"
#include "app/db/data_set.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

TfrmSelectEmpresaView::TfrmSelectEmpresaView(TfrmSelectEmpresa &core, QWidget *parent)
    : QDialog(parent), core_(core), DBGrid1(new QTableWidget(this))
{
    setObjectName(QStringLiteral("frmSelectEmpresa"));
    setWindowTitle(QString::fromUtf8(TfrmSelectEmpresa::kTitulo));
    setModal(true);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    auto *botao = new QPushButton(QString::fromUtf8(TfrmSelectEmpresa::kBotao), this);
    botao->setObjectName(QStringLiteral("SpeedButton1"));
    botao->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addWidget(botao);

    // The grid shows the rows as read; the current row is remembered by its
    // number and put back before reading them.
    db::DataSet &empresas = core_.empresas();
    const auto &campos = empresas.fields();
    DBGrid1->setColumnCount(static_cast<int>(campos.size()));
    QStringList titulos;
    for (const auto &campo : campos)
        titulos << paraQString(campo);
    DBGrid1->setHorizontalHeaderLabels(titulos);
    int atual = 0;
    if (empresas.active()) {
        int linha = 0;
        for (; !empresas.bof(); empresas.prior())
            ++linha;
        atual = linha > 0 ? linha - 1 : 0;
        DBGrid1->setRowCount(static_cast<int>(empresas.recordCount()));
        linha = 0;
        for (empresas.first(); !empresas.eof(); empresas.next(), ++linha)
            for (int coluna = 0; coluna < static_cast<int>(campos.size()); ++coluna)
                DBGrid1->setItem(
                    linha, coluna,
                    new QTableWidgetItem(paraQString(empresas.field(campos[coluna]).asString())));
        empresas.first();
        for (int i = 0; i < atual; ++i)
            empresas.next();
    }
    if (DBGrid1->rowCount() > 0)
        DBGrid1->selectRow(atual);
    DBGrid1->installEventFilter(this);
    connect(botao, &QPushButton::clicked, this, [this] {
        executaProtegido([this] { core_.SpeedButton1Click(); });
        confirma();
    });
}

bool TfrmSelectEmpresaView::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == DBGrid1 && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            executaProtegido([this] { core_.DBGrid1KeyPress('\r'); });
            confirma();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TfrmSelectEmpresaView::confirma()
{
    if (!core_.confirmada())
        return;
    db::DataSet &empresas = core_.empresas();
    const int escolhida = DBGrid1->currentRow();
    if (empresas.active() && escolhida >= 0) {
        empresas.first();
        for (int i = 0; i < escolhida && !empresas.eof(); ++i)
            empresas.next();
    }
    accept();
}

void instalaSelecaoEmpresaQt()
{
    instalaSelecaoEmpresa([](TfrmSelectEmpresa &core) {
        TfrmSelectEmpresaView tela(core);
        tela.exec();
    });
}
