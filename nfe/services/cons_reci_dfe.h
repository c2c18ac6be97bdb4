#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"

// The receipt query "consReci" + SufixoTag ("consReciNFe" for the NF-e).
// Writer conventions as in TConsStatServ: alerts and a false result, never
// raises; one object writes one request.
class TConsReciDFe {
  public:
    TConsReciDFe(std::string Versao, std::string AtributoNamespace, std::string SufixoTag);

    TGerador Gerador;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string nRec; // 15 digits
    std::string Versao;
    std::string AtributoNamespace;
    std::string SufixoTag;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when the alert list is empty.
    bool GerarConsReci();
};
