#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/xml/gerador.h"

// The NFC-e security-code administration request "admCscNFCe": query the
// active codes (ocs1), ask for a new one (ocs2) or revoke one (ocs3). Writer
// conventions as in TConsStatServ: alerts and a false result, never raises.
class TAdmCSCNFCe {
  public:
    TGerador Gerador;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    TpcnOperacaoCSC indOp = ocs1;
    std::string raizCNPJ; // the first eight digits of the company's CNPJ
    // The code revoked; written only for ocs3.
    int idCsc = 0; // six digits with leading zeros
    std::string codigoCsc;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when no alert was recorded.
    bool GerarAdmCscNFCe();
};
