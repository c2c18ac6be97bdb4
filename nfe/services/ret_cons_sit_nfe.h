#pragma once

#include <memory>
#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/proc_nfe.h"
#include "nfe/services/ret_env_evento_nfe.h"

// The situation answer "retConsSitNFe": the header, the note's protocol
// (protNFe, as fields and as received), an old-style cancellation (infCanc)
// and every registered event of the note (procEventoNFe, each read with
// TRetEventoNFe and kept as received). Synchronous batch answers are read
// with it too, once their root element is renamed retConsSitNFe.
//
// Reader conventions as in TRetConsStatServ: never raises; a missing group
// leaves its fields as they were.

// The cancellation data of the answer; cStat 0 means none.
struct TRetCancNFe {
    TpcnTipoAmbiente tpAmb = taProducao;
    TDateTime dhRecbto = 0;
    int cStat = 0;
    int cUF = 0;
    std::string chNFe;
    std::string verAplic;
    std::string nProt;
    std::string xMotivo;
};

struct TRetEventoNFeCollectionItem {
    TRetEventoNFe RetEventoNFe;
};
using TRetEventoNFeCollection = TModelList<TRetEventoNFeCollectionItem>;

class TRetConsSitNFe {
  public:
    TLeitor Leitor;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    int cUF = 0;
    TDateTime dhRecbto = 0;
    std::string chNFe;
    // The protocol fields tpAmb, verAplic, chNFe, dhRecbto, nProt, digVal,
    // cStat, xMotivo, cMsg and xMsg are filled.
    TProcNFe protNFe;
    TRetCancNFe retCancNFe;
    // Null before the first reading; a new list at every reading.
    std::unique_ptr<TRetEventoNFeCollection> procEventoNFe;
    std::string nRec;            // synchronous batch answers
    std::string ElementoProtNFe; // the whole protNFe element as received

    // True when "retConsSitNFe" was found and read to the end.
    bool LerResposta();
};
