#include "app/ui/funcoes/funcoes_form.h"

#include <QComboBox>

#include "app/dialogs/dialogos.h"
#include "app/ui/aplicacao.h"
#include "app/ui/texto_qt.h"

namespace {

AplicacaoKvl *aplicacao()
{
    return dynamic_cast<AplicacaoKvl *>(QCoreApplication::instance());
}

} // namespace

TFuncoes::TFuncoes(FonteImpressoras fonte, QWidget *parent)
    : QWidget(parent), CBImpressoras(new QComboBox(this))
{
    setObjectName(QStringLiteral("Funcoes"));
    setWindowTitle(QStringLiteral("Funcoes"));
    CBImpressoras->setObjectName(QStringLiteral("CBImpressoras"));
    CBImpressoras->hide();
    FormCreate(fonte);
}

TFuncoes::~TFuncoes()
{
    if (AplicacaoKvl *app = aplicacao())
        app->OnException = nullptr;
}

void TFuncoes::FormCreate(const FonteImpressoras &fonte)
{
    if (AplicacaoKvl *app = aplicacao())
        app->OnException = erros_de_sistema;
    try {
        const ListaImpressoras lista = fonte();
        for (const std::string &nome : lista.nomes)
            CBImpressoras->addItem(paraQString(nome));
        CBImpressoras->setCurrentIndex(lista.atual);
    } catch (const std::exception &) {
        // The printer list is a convenience; the program runs without it.
        CBImpressoras->clear();
    }
}

void TFuncoes::erros_de_sistema(const std::exception &erro)
{
    dialogos().mensagem(erro.what(), "Erro de sistema");
}
