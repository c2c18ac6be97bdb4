#pragma once

#include <string>
#include <string_view>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/gerador.h"
#include "nfe/document/fuso_lido.h"

// The authorisation protocol of one NF-e (the fields of `protNFe`) and the
// builder of the processed document `nfeProc`: the signed `NFe` element
// followed by its `protNFe`, as an authorised or denied note is filed.
//
// `MontarXml` works in one of three ways, chosen by what is filled before:
// 1. given XML: XmlNFe and XmlProtNFe set (the services); only the assembly runs;
// 2. answer files: both XML fields empty, PathNFe and exactly one of
//    PathRetornoLote (batch result) or PathRetornoConsulta (situation query) set;
// 3. own fields: both XML fields and both answer paths empty, PathNFe and the
//    protocol fields set.
// Problems become alerts of Gerador.ListaDeAlertas; nothing raises except the
// reading of an answer file that exists but cannot be read.
class TProcNFe {
  public:
    TProcNFe();
    TProcNFe(const TProcNFe &) = delete;
    TProcNFe &operator=(const TProcNFe &) = delete;

    // Receives the nfeProc text and the alerts; the caller sets its options.
    TGerador Gerador;
    std::string PathNFe;             // file of the note's XML
    std::string PathRetornoLote;     // file of a batch-result answer
    std::string PathRetornoConsulta; // file of a situation-query answer
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    std::string chNFe;
    TDateTime dhRecbto = 0;
    TFusoLido dhRecbtoFuso; // the UTC offset dhRecbto was read with
    std::string nProt;
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Versao; // the versao attributes, such as "4.00"
    int cMsg = 0;
    std::string xMsg;
    std::string XmlNFe;     // the note's XML used for nfeProc
    std::string XmlProtNFe; // the protNFe XML used for nfeProc

    // Builds nfeProc into Gerador.ArquivoFormatoXML, which is emptied first;
    // true when no alert was raised. A document that cannot be assembled
    // always leaves an alert, so true means the output holds the document.
    bool MontarXml();

    // "<" + name + ">", the text between the first "<name>" and the next
    // "</name>" of the XML, and "</" + name + ">"; an absent element gives an
    // empty one.
    static std::string ExtrairGrupo(std::string_view elemento, std::string_view xml);

  private:
    void montaTextosDosArquivos();
    std::string protocoloDoLote();
    std::string protocoloDaConsulta();
    std::string protocoloDosCampos() const;
    bool montaNfeProc();
    void alerta(std::string_view id, std::string_view tag, std::string_view descricao,
                std::string_view mensagem);
};
