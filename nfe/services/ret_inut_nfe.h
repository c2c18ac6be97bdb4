#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"

// The voiding answer "retInutNFe". It also reads the request's infInut when
// the text holds no answer (a signed request alone), and the request's Id
// and justification when the text holds both (a processed voiding). Reader
// conventions as in TRetConsStatServ: never raises.
class TRetInutNFe {
  public:
    std::string versao;
    std::string Id; // the Id of the request found in the same text
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    TLeitor Leitor;
    int cStat = 0;
    std::string xMotivo;
    std::string xJust;
    int cUF = 0;
    int ano = 0;
    std::string CNPJ; // CNPJ, or a CPF in the state with code 51
    int modelo = 0;   // element mod
    int serie = 0;
    int nNFIni = 0;
    int nNFFin = 0;
    TDateTime dhRecbto = 0;
    std::string nProt;

    // True when a retInutNFe or an infInut group was found and read.
    bool LerResposta();
};
