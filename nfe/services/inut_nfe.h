#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/xml/gerador.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/signature.h"
#include "nfe/services/ret_inut_nfe.h"

// The voiding request "inutNFe" of a range of note numbers of one model and
// series: its writer, and the reading of a saved request (signed, answered or
// processed) back into the fields. Writer conventions as in TConsStatServ:
// alerts and a false result, the request written all the same.
//
// Implemented in inut_nfe.cpp.
class TinutNFe {
  public:
    TGerador Gerador;
    TLeitor Leitor;
    TpcnTipoAmbiente tpAmb = taProducao;
    int cUF = 0;
    int ano = 0;      // four digits are accepted; the writer keeps two
    std::string CNPJ; // the emitter's CNPJ (or CPF in the state with code 51)
    int modelo = 0;
    int serie = 0;
    int nNFIni = 0;
    int nNFFin = 0;
    std::string xJust;
    std::string ID; // computed by the writer or read from a text
    std::string versao;
    TRetInutNFe RetInutNFe; // the answer read from a text
    TSignature Signature;
    std::string TextoXML; // the text last given to LerTexto

    // Writes the request into Gerador.ArquivoFormatoXML (emptied first), sets
    // ID and reduces `ano` to two digits; the Signature element follows
    // infInut when Signature.URI is set. True when no alert was recorded.
    bool GerarInutNFe();
    // Reads a request, an answer or both from the text: the request fields
    // found overwrite the object's, the answer goes to RetInutNFe. True when
    // an answer or an infInut group was found.
    bool LerTexto(const std::string &texto);
    // LerTexto of the whole file; a file that cannot be read raises
    // EQuibException naming it.
    bool LerArquivo(const std::string &NomeArquivo);
};
