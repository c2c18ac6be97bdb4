#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"

// The distribution request "distDFeInt" in one of its three forms, chosen by
// the first field that is not empty: NSU (consNSU, one document), ChaveAcesso
// (the key-query group, one document by its key), else ultNSU (distNSU, the
// documents after the last one received). Writer conventions as in
// TConsStatServ: alerts and a false result, never raises.
//
// NSUs are whole numbers of up to 15 digits, written with leading zeros. A
// text that is not a number goes out as fifteen zeros; a number of more than
// 15 digits goes out whole, with the size alert.
class TDistDFeInt {
  public:
    // ElementoExterno, when not empty, wraps the request (nfeDadosMsg);
    // ElementoConsultaChave and ElementoChave name the key-query group and
    // its key element (consChNFe and chNFe for the NF-e).
    TDistDFeInt(std::string Versao, std::string AtributoNamespace, std::string ElementoExterno,
                std::string ElementoConsultaChave, std::string ElementoChave, bool IncluirCUFAutor);

    TGerador Gerador;
    TpcnTipoAmbiente tpAmb = taProducao;
    int cUFAutor = 0; // 0 leaves cUFAutor out
    std::string CNPJCPF;
    std::string ultNSU;
    std::string NSU;
    std::string ChaveAcesso;
    std::string Versao;
    std::string AtributoNamespace;
    std::string ElementoExterno;
    std::string ElementoConsultaChave;
    std::string ElementoChave;
    bool IncluirCUFAutor = true;

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first); true
    // when no alert was recorded.
    bool GerarDistDFeInt();
};
