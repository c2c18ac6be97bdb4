#pragma once

#include "app/principal/fabrica_telas.h"
#include "console/config_geral/frm_config_geral40.h"

#include <string>

class TdtmNFE_grd;

// The settings-and-console screen as the shell holds it (the start-up
// factory's `criaConfigGeral40`): creating it creates the core, which only
// fills its lists and reads nothing; each ShowModal shows the window over
// that same core (the company's settings are read as it becomes active);
// the holder frees it. The module must outlive it. Implemented in
// tela_config_geral40.cpp.
class TelaConfigGeral40 : public TelaModal {
  public:
    TelaConfigGeral40(TdtmNFE_grd &modulo, std::string pastaPrograma);
    void ShowModal() override;

    TfrmConfigGeral40 &core() { return core_; }

  private:
    TfrmConfigGeral40 core_;
};
