#pragma once

#include <string>

#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"
#include "nfe/document/nfe_item_product.h"
#include "nfe/document/nfe_item_taxes.h"

// One item of an NF-e (`det`): its product, its taxes and its observations.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

// An item observation for the taxpayer or the tax office.
struct TobsItem {
    std::string xCampo;
    std::string xTexto;
};

struct TDetCollectionItem {
    TProd prod;
    TImposto imposto;
    Decimal pDevol;    // percentage of goods returned
    Decimal vIPIDevol; // IPI returned
    std::string infAdProd;
    TobsItem obsCont;
    TobsItem obsFisco;
};

class TDetCollection : public TModelListAdicionavel<TDetCollectionItem> {};
