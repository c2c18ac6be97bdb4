#pragma once

#include <string>

#include "foundation/xml/gerador.h"

// The taxpayer registry query "ConsCad": one state registration, CNPJ or CPF
// asked of one state's registry. Writer conventions as in TConsStatServ:
// alerts and a false result, never raises.
class TConsCad {
  public:
    TGerador Gerador;
    std::string UF; // the state's two letters
    // The identifier queried: the first of IE, CNPJ, CPF that is not empty;
    // CNPJ and CPF go out as the element their number of digits says (14 →
    // CNPJ, 11 → CPF).
    std::string IE;
    std::string CNPJ;
    std::string CPF;
    std::string Versao;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when no alert was recorded.
    bool GerarConsCad();
};
