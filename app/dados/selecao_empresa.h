#pragma once

#include <functional>

namespace db {
class DataSet;
}

// The core of the company chooser "Selecione a Empresa de Acesso": a grid
// over the management module's company table (its current row is the
// choice) with the button "Confirmar Empresa". Either the button or Enter in
// the grid closes it with OK. The Qt view installs how it is shown modally;
// with no view installed the company table is left on its current row.
// Implemented in selecao_empresa.cpp.
class TfrmSelectEmpresa {
  public:
    static constexpr const char *kTitulo = "Selecione a Empresa de Acesso";
    static constexpr const char *kBotao = "Confirmar Empresa";

    explicit TfrmSelectEmpresa(db::DataSet &empresas) : empresas_(empresas) {}

    db::DataSet &empresas() { return empresas_; }
    bool confirmada() const { return confirmada_; }

    void SpeedButton1Click() { confirmada_ = true; }
    void DBGrid1KeyPress(char tecla)
    {
        if (tecla == '\r')
            confirmada_ = true;
    }

    // Shows the chooser modally through the installed view; returns when it
    // closes (true with OK).
    bool ShowModal();

  private:
    db::DataSet &empresas_;
    bool confirmada_ = false;
};

// Installs the modal view of the chooser (an empty function removes it).
using MostraSelecaoEmpresa = std::function<void(TfrmSelectEmpresa &)>;
void instalaSelecaoEmpresa(MostraSelecaoEmpresa mostra);
