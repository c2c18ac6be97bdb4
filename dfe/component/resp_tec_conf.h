#pragma once

#include <string>

#include "foundation/files/mem_ini_file.h"

class TConfiguracoes;

// The technical-responsible code (CSRT) and its identifier; stored only in the
// document section of the INI. Implemented in resp_tec_conf.cpp.
class TRespTecConf {
  public:
    explicit TRespTecConf(TConfiguracoes &configuracoes) : configuracoes_(configuracoes) {}
    virtual ~TRespTecConf() = default;
    TRespTecConf(const TRespTecConf &) = delete;
    TRespTecConf &operator=(const TRespTecConf &) = delete;

    virtual void CopiarDe(const TRespTecConf &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    virtual void CarregarDoIni(const MemIniFile &ini);

    int IdCSRT = 0;
    std::string CSRT;

  protected:
    TConfiguracoes &configuracoes_;
};
