#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/model_list.h"

// The receipt answer "retConsReci" + SufixoTag ("retConsReciNFe") with the
// protocols of a processed batch. Reader conventions as in TRetConsStatServ:
// one answer per object, never raises.

// One protocol of the answer.
struct TProtDFeCollectionItem {
    std::string Id; // attribute Id of infProt
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    std::string ChaveAcesso; // "ch" + the document name: chNFe
    TDateTime dhRecbto = 0;
    std::string nProt;
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    // The whole protocol element ("prot" + the document name) exactly as the
    // answer carries it, signature included: it goes unchanged into the
    // authorised document.
    std::string ElementoProtocolo;
    int cMsg = 0;
    std::string xMsg;
};

using TProtDFeCollection = TModelList<TProtDFeCollectionItem>;

class TRetConsReciDFe {
  public:
    explicit TRetConsReciDFe(std::string SufixoTag = "NFe");

    TLeitor Leitor;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    std::string nRec;
    int cStat = 0;
    std::string xMotivo;
    int cUF = 0;
    int cMsg = 0;
    std::string xMsg;
    // Filled only for cStat 104 (batch processed), in answer order.
    TProtDFeCollection ProtDFe;
    std::string SufixoTag;

    // True when the root element was found, whatever the number of protocols.
    bool LerResposta();
};
