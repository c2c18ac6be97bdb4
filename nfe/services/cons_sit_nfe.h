#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"

// The situation query "consSitNFe" of one note by its access key. Writer
// conventions as in TConsStatServ: alerts and a false result, never raises.
class TConsSitNFe {
  public:
    TGerador Gerador;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string chNFe; // 44 digits
    std::string Versao;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when the alert list is empty.
    bool GerarConsSitNFe();
};
