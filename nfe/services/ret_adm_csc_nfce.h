#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/model_list.h"

// The answer "retAdmCscNFCe" with the security codes. Reader conventions as
// in TRetConsStatServ: one answer per object, never raises.

struct TRetdadosCscCollectionItem {
    int idCsc = 0;
    std::string codigoCsc;
};

using TRetdadosCscCollection = TModelList<TRetdadosCscCollectionItem>;

class TRetAdmCSCNFCe {
  public:
    TLeitor Leitor;
    std::string versao;
    TpcnTipoAmbiente tpAmb = taProducao;
    TpcnOperacaoCSC indOp = ocs1;
    int cStat = 0;
    std::string xMotivo;
    // Never empty after a successful reading: an answer without dadosCsc
    // gives one item with idCsc 0 and no code.
    TRetdadosCscCollection dadosCsc;

    // True when the root was found and read.
    bool LerResposta();
};
