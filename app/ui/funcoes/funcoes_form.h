#pragma once

#include <exception>
#include <functional>

#include <QWidget>

#include "app/ui/funcoes/impressoras_cups.h"

class QComboBox;

// The functions form ("Funcoes"), created once at start-up and never shown.
// Creating it makes `erros_de_sistema` the application-wide handler of the
// errors no one caught (AplicacaoKvl::OnException) and loads the installed
// printers into the hidden list `CBImpressoras`, selecting the default one;
// a failure while listing printers leaves the list empty. Destroying it gives
// the handler back. Implemented in funcoes_form.cpp.
class TFuncoes : public QWidget {
  public:
    using FonteImpressoras = std::function<ListaImpressoras()>;

    explicit TFuncoes(FonteImpressoras fonte = impressorasCups, QWidget *parent = nullptr);
    ~TFuncoes() override;

    // The "Erro de sistema" box with the error's message and an OK button.
    static void erros_de_sistema(const std::exception &erro);

    QComboBox *CBImpressoras;

  private:
    void FormCreate(const FonteImpressoras &fonte);
};
