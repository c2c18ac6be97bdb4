#pragma once

#include <exception>
#include <functional>

#include <QApplication>

// The program's QApplication. An error that escapes an event handler ends in
// `notify`, which reports it instead of ending the program, as the views'
// guarded handlers (`executaProtegido`) do for their own slots. Reports go to
// `OnException` when it is set (the functions form sets it to the "Erro de
// sistema" box), else to a plain box captioned with the application's name.
// SilentAbort is passed over without a message. Implemented in aplicacao.cpp.
class AplicacaoKvl : public QApplication {
  public:
    AplicacaoKvl(int &argc, char **argv);

    std::function<void(const std::exception &)> OnException;

    bool notify(QObject *receiver, QEvent *event) override;
};

// Reports an error that no one caught, as described above; works with any
// QApplication (only an AplicacaoKvl has an OnException).
void reportaErroNaoTratado(const std::exception &erro);

// Runs a view's handler: an error it raises is reported, never thrown into Qt.
void executaProtegido(const std::function<void()> &tratador);
