#pragma once

#include <string>

#include "foundation/codes/conversao_nfe.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"

// The transport of an NF-e (`transp`).
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

struct TTransporta {
    std::string CNPJCPF;
    std::string xNome;
    std::string IE;
    std::string xEnder;
    std::string xMun;
    std::string UF;
};

// ICMS retained on the transport service.
struct TretTransp {
    Decimal vServ;
    Decimal vBCRet;
    Decimal pICMSRet;
    Decimal vICMSRet;
    std::string CFOP;
    int cMunFG = 0;
};

// The fields of the vehicle and of each trailer.
struct TVeiculoNFe {
    std::string placa;
    std::string UF;
    std::string RNTC;
};

struct TveicTransp : TVeiculoNFe {};
struct TreboqueCollectionItem : TVeiculoNFe {};

class TreboqueCollection : public TModelList<TreboqueCollectionItem> {};

struct TLacresCollectionItem {
    std::string nLacre;
};

class TLacresCollection : public TModelList<TLacresCollectionItem> {};

struct TVolCollectionItem {
    int qVol = 0;
    std::string esp;
    std::string marca;
    std::string nVol;
    Decimal pesoL;
    Decimal pesoB;
    TLacresCollection lacres;
};

class TVolCollection : public TModelListAdicionavel<TVolCollectionItem> {};

struct TTransp {
    TpcnContratacaoFrete modFrete{};
    TTransporta transporta;
    TretTransp retTransp;
    TveicTransp veicTransp;
    TVolCollection vol;
    TreboqueCollection reboque;
    std::string vagao;
    std::string balsa;
};
