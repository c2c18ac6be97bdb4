#pragma once

#include <string>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"

// Billing (`cobr`), payments (`pag`) and the intermediary (`infIntermed`) of
// an NF-e.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

struct TFat {
    std::string nFat;
    Decimal vOrig;
    Decimal vDesc;
    Decimal vLiq;
};

struct TDupCollectionItem {
    std::string nDup;
    TDateTime dVenc = 0;
    Decimal vDup;
};

class TDupCollection : public TModelListAdicionavel<TDupCollectionItem> {};

struct TCobr {
    TFat fat;
    TDupCollection dup;
};

// One payment (`detPag`). The card brand and the payment form start empty, so
// neither code is written unless the caller sets it.
struct TpagCollectionItem {
    TpcnMeioPagamento tPag{};
    std::string xPag;
    Decimal vPag;
    TpcnIntegracaoPagamento tpIntegra{};
    std::string CNPJ;
    TpcnBandeiraOperadora tBand = bdVazio;
    std::string cAut;
    TpcnIndFormaPagamento indPag = ifpVazio;
};

class TpagCollection : public TModelListAdicionavel<TpagCollectionItem> {
  public:
    Decimal vTroco; // the change given
};

struct TinfIntermed {
    std::string CNPJ;
    std::string idCadIntTran;
};
