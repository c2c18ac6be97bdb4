#pragma once

#include <cstdint>
#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/signature.h"
#include "nfe/services/evento_nfe.h"

// The reader of every text that carries NF-e events: a batch answer
// "retEnvEvento", a single answer "retEvento", a signed "evento" and the
// processed "procEventoNFe" (an evento and its retEvento). The signed event
// goes to InfEvento and Signature, each answer to one item of RetEventos;
// pairing an answer with its event is the event service's work.
//
// Reader conventions as in TRetConsStatServ, except that a second reading on
// the same object appends more answers: use one object per text. Never raises.

struct TRetInfEventoCollectionItem {
    TRetInfEvento RetInfEvento;
};
using TRetInfEventoCollection = TModelList<TRetInfEventoCollectionItem>;

class TRetEventoNFe {
  public:
    std::int64_t idLote = 0;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    TLeitor Leitor;
    int cStat = 0;
    int cOrgao = 0;
    std::string xMotivo;
    TRetInfEventoCollection RetEventos;
    TInfEvento InfEvento;
    TSignature Signature;
    // The whole procEventoNFe element this reader was given by the situation
    // reader (TRetConsSitNFe); the reader itself never sets it.
    std::string TextoProcEvento;

    // True when an evento element or an answer was found and read.
    bool LerResposta();
};
