#include "app/ui/aplicacao.h"

#include "app/dialogs/dialogos.h"
#include "app/ui/texto_qt.h"
#include "foundation/base/silent_abort.h"

AplicacaoKvl::AplicacaoKvl(int &argc, char **argv) : QApplication(argc, argv) {}

bool AplicacaoKvl::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const SilentAbort &) {
    } catch (const std::exception &erro) {
        reportaErroNaoTratado(erro);
    }
    return false;
}

void reportaErroNaoTratado(const std::exception &erro)
{
    if (dynamic_cast<const SilentAbort *>(&erro))
        return;
    auto *aplicacao = dynamic_cast<AplicacaoKvl *>(QCoreApplication::instance());
    if (aplicacao && aplicacao->OnException) {
        aplicacao->OnException(erro);
        return;
    }
    dialogos().mensagem(erro.what(), deQString(QCoreApplication::applicationName()));
}

void executaProtegido(const std::function<void()> &tratador)
{
    try {
        tratador();
    } catch (const std::exception &erro) {
        reportaErroNaoTratado(erro);
    }
}
