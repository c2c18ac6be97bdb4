#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"

// The service-status answer "retConsStatServ" (followed by SufixoTag). The
// caller puts the answer text into Leitor and calls LerResposta once; nothing
// is cleared before reading. Never raises.
class TRetConsStatServ {
  public:
    explicit TRetConsStatServ(std::string SufixoTag = "");

    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    TDateTime dhRecbto = 0;
    int cStat = 0;
    TLeitor Leitor;
    std::string xMotivo;
    int cUF = 0;
    std::string verAplic;
    int tMed = 0; // seconds
    TDateTime dhRetorno = 0;
    std::string xObs;
    std::string SufixoTag;

    // False with no field changed when the root element is absent; false
    // when the reading fails on the way (fields read before keep their values).
    bool LerResposta();
};
