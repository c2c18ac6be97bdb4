#pragma once

#include "foundation/codes/conversao_itens.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

// The totals of an NF-e (`total`).
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

struct TICMSTot {
    Decimal vBC;
    Decimal vICMS;
    Decimal vICMSDeson;
    Decimal vFCPUFDest;
    Decimal vICMSUFDest;
    Decimal vICMSUFRemet;
    Decimal vFCP;
    Decimal vBCST;
    Decimal vST;
    Decimal vFCPST;
    Decimal vFCPSTRet;
    Decimal vProd;
    Decimal vFrete;
    Decimal vSeg;
    Decimal vDesc;
    Decimal vII;
    Decimal vIPI;
    Decimal vIPIDevol;
    Decimal vPIS;
    Decimal vCOFINS;
    Decimal vOutro;
    Decimal vNF;
    Decimal vTotTrib;
    Decimal vICMSMono;
    Decimal vICMSMonoReten;
    Decimal vICMSMonoRet;
    Decimal qBCMono;
    Decimal qBCMonoReten;
    Decimal qBCMonoRet;
};

struct TISSQNtot {
    Decimal vServ;
    Decimal vBC;
    Decimal vISS;
    Decimal vPIS;
    Decimal vCOFINS;
    TDateTime dCompet = 0;
    Decimal vDeducao;
    Decimal vOutro;
    Decimal vDescIncond;
    Decimal vDescCond;
    Decimal vISSRet;
    TpcnRegimeEspecialISSQN cRegTrib{};
};

struct TretTrib {
    Decimal vRetPIS;
    Decimal vRetCOFINS;
    Decimal vRetCSLL;
    Decimal vBCIRRF;
    Decimal vIRRF;
    Decimal vBCRetPrev;
    Decimal vRetPrev;
};

struct TTotal {
    TICMSTot ICMSTot;
    TISSQNtot ISSQNtot;
    TretTrib retTrib;
};
