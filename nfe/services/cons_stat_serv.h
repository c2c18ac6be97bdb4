#pragma once

#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"

// The service-status request "consStatServ" (the root name followed by
// SufixoTag). The writer raises nothing: every bad field value becomes one
// line of Gerador.ListaDeAlertas and GerarConsStatServ answers false, with the
// text produced all the same. One object writes one request.
class TConsStatServ {
  public:
    // AtributoNamespace is the whole attribute text written in the opening tag
    // before versao (xmlns="..." for the NF-e); IncluirCUF false leaves cUF out.
    TConsStatServ(std::string Versao, std::string AtributoNamespace, std::string SufixoTag, bool IncluirCUF);

    TGerador Gerador;
    TpcnTipoAmbiente tpAmb = taProducao;
    int cUF = 0;
    std::string Versao;
    std::string AtributoNamespace;
    std::string SufixoTag;
    bool IncluirCUF = true;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when the alert list is empty.
    bool GerarConsStatServ();
};
