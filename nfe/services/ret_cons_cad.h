#pragma once

#include <string>

#include "foundation/dates/date_time.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/model_list.h"

// The registry answer "retConsCad": one item per registration found. Reader
// conventions as in TRetConsStatServ: one answer per object, never raises.

// One registration (infCad) of the answer.
struct TInfCadCollectionItem {
    std::string IE;
    std::string CNPJ; // 14 digits when present (shorter ones completed with zeros)
    std::string CPF;  // 11 digits when present
    std::string UF;
    int cSit = 0;
    int indCredNFe = 0;
    int indCredCTe = 0;
    std::string xNome;
    std::string xFant;
    std::string xRegApur;
    int CNAE = 0;
    TDateTime dIniAtiv = 0;
    TDateTime dUltSit = 0;
    TDateTime dBaixa = 0;
    std::string IEUnica;
    std::string IEAtual;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    int CEP = 0; // a number: a postal code that begins with 0 loses that zero
};

using TInfCadCollection = TModelList<TInfCadCollectionItem>;

class TRetConsCad {
  public:
    TLeitor Leitor;
    std::string versao;
    std::string verAplic;
    int cStat = 0;
    std::string xMotivo;
    std::string UF;
    std::string IE;
    std::string CNPJ; // after reading: those of the last infCad, when there is one
    std::string CPF;
    TDateTime dhCons = 0;
    int cUF = 0;
    // Never empty after a successful reading: an answer without infCad gives
    // one empty item.
    TInfCadCollection InfCad;

    // True when infCons was found and read.
    bool LerResposta();
};
