#pragma once

#include <string>

#include "foundation/conversao.h"
#include "foundation/date_time.h"

// The authorisation protocol of one NF-e (the fields of `protNFe`).
class TProcNFe {
public:
    std::string PathNFe;
    std::string PathRetornoLote;
    std::string PathRetornoConsulta;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    std::string chNFe;
    TDateTime dhRecbto = 0;
    std::string nProt;
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Versao;
    int cMsg = 0;
    std::string xMsg;
    std::string XmlNFe;
    std::string XmlProtNFe;
};
