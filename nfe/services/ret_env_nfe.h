#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"

// The answer "retEnviNFe" to an authorisation batch: for an asynchronous
// batch, the receipt to query the result with. Reader conventions as in
// TRetConsStatServ: one answer per object, never raises.

// The receipt of an asynchronous batch.
struct TInfREC {
    std::string nRec; // kept as text: leading zeros count
    TDateTime dhRecbto = 0;
    int tMed = 0; // average processing time, seconds
};

class TretEnvNFe {
  public:
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    int cStat = 0;
    TLeitor Leitor;
    int cUF = 0;
    std::string verAplic;
    std::string xMotivo;
    TInfREC infRec;

    // True when "retEnviNFe" was found and read.
    bool LerResposta();
};
