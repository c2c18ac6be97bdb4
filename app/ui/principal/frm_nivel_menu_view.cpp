#include "app/ui/principal/frm_nivel_menu_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/funcoes/funcoes_kvl.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

TfrmNivelMenuView::TfrmNivelMenuView(TdtmGerencia &gerencia, QWidget *parent)
    : QDialog(parent), core_(gerencia), edtNivel(new QSpinBox(this)), lblcodigo(new QLabel(this)),
      DBGrid1(new QTableWidget(0, 3, this)),
      btnSelect(new QPushButton(QString::fromUtf8("Selcionar opções"), this)),
      btnDelete(new QPushButton(QString::fromUtf8("Eliminar nível"), this)),
      SpeedButton2(new QPushButton(QStringLiteral("Marcar todos"), this)), btnSair(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmNivelMenu"));
    setWindowTitle(paraQString(TfrmNivelMenu::kTitulo));
    setModal(true);
    edtNivel->setObjectName(QStringLiteral("edtNivel"));
    edtNivel->setRange(0, 9999);
    lblcodigo->setObjectName(QStringLiteral("lblcodigo"));
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("Nivel"), QString::fromUtf8("Nome da Opção"), QString()});
    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    btnSair->setObjectName(QStringLiteral("btnSair"));
    btnSair->setToolTip(QStringLiteral("Fechar Janela"));
    const QPixmap sair(paraQString(PastaPrograma() + "ImagensFrente/sair.png"));
    btnSair->setIcon(sair.isNull() ? style()->standardIcon(QStyle::SP_DialogCloseButton) : QIcon(sair));

    auto *topo = new QHBoxLayout;
    topo->addWidget(new QLabel(QString::fromUtf8("Nível de usuário"), this));
    topo->addWidget(edtNivel);
    topo->addWidget(btnSelect);
    topo->addWidget(btnDelete);
    topo->addWidget(SpeedButton2);
    topo->addStretch();
    topo->addWidget(btnSair);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(DBGrid1);
    layout->addWidget(lblcodigo);
    resize(640, 480);

    connect(edtNivel, &QSpinBox::valueChanged, this, [this](int nivel) { core_.edtNivel = nivel; });
    connect(DBGrid1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *celula) {
        if (mostrando_ || celula->column() != 2 || celula->row() >= static_cast<int>(core_.tblNivel.size()))
            return;
        core_.tblNivel[celula->row()].liberado = celula->checkState() == Qt::Checked ? "T" : "F";
    });
    connect(btnSelect, &QPushButton::clicked, this, [this] { clica(&TfrmNivelMenu::btnSelectClick); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { clica(&TfrmNivelMenu::btnDeleteClick); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { clica(&TfrmNivelMenu::SpeedButton2Click); });
    connect(btnSair, &QPushButton::clicked, this, &QDialog::close);
    mostra();
}

void TfrmNivelMenuView::clica(void (TfrmNivelMenu::*tratador)())
{
    executaProtegido([&] { (core_.*tratador)(); });
    mostra();
}

void TfrmNivelMenuView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    clica(&TfrmNivelMenu::FormActivate);
}

void TfrmNivelMenuView::closeEvent(QCloseEvent *event)
{
    executaProtegido([this] { core_.FormClose(); });
    mostra();
    QDialog::closeEvent(event);
}

void TfrmNivelMenuView::mostra()
{
    mostrando_ = true;
    lblcodigo->setText(paraQString(core_.lblcodigo));
    btnSelect->setEnabled(core_.btnSelectEnabled);
    btnDelete->setEnabled(core_.btnDeleteEnabled);
    DBGrid1->setRowCount(static_cast<int>(core_.tblNivel.size()));
    for (int i = 0; i < DBGrid1->rowCount(); ++i) {
        const TfrmNivelMenu::LinhaNivel &linha = core_.tblNivel[i];
        DBGrid1->setItem(i, 0, new QTableWidgetItem(QString::number(linha.cod_nivel)));
        DBGrid1->setItem(i, 1, new QTableWidgetItem(paraQString(linha.caption)));
        auto *marca = new QTableWidgetItem;
        marca->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        marca->setCheckState(linha.liberado == "T" ? Qt::Checked : Qt::Unchecked);
        DBGrid1->setItem(i, 2, marca);
    }
    mostrando_ = false;
}
