#pragma once

#include <string>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"

// The closing groups of an NF-e: additional information, export, purchase,
// sugar-cane supply, the NFC-e supplement and the technical responsible.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

// The fields of an observation for the taxpayer or the tax office.
struct TObservacaoNFe {
    std::string xCampo;
    std::string xTexto;
};

struct TobsContCollectionItem : TObservacaoNFe {};
struct TobsFiscoCollectionItem : TObservacaoNFe {};

class TobsContCollection : public TModelListAdicionavel<TobsContCollectionItem> {};
class TobsFiscoCollection : public TModelListAdicionavel<TobsFiscoCollectionItem> {};

struct TprocRefCollectionItem {
    std::string nProc;
    TpcnOrigemProcesso indProc{};
    TpcnAtoConcessorio tpAto{};
};

class TprocRefCollection : public TModelList<TprocRefCollectionItem> {};

struct TInfAdic {
    std::string infAdFisco;
    std::string infCpl;
    TobsContCollection obsCont;
    TobsFiscoCollection obsFisco;
    TprocRefCollection procRef;
};

struct TExporta {
    std::string UFEmbarq;
    std::string xLocEmbarq;
    std::string UFSaidaPais;
    std::string xLocExporta;
    std::string xLocDespacho;
};

struct TCompra {
    std::string xNEmp;
    std::string xPed;
    std::string xCont;
};

struct TForDiaCollectionItem {
    int dia = 0;
    Decimal qtde;
};

class TForDiaCollection : public TModelList<TForDiaCollectionItem> {};

struct TDeducCollectionItem {
    std::string xDed;
    Decimal vDed;
};

class TDeducCollection : public TModelList<TDeducCollectionItem> {};

struct TCana {
    std::string safra;
    std::string ref;
    TForDiaCollection forDia;
    double qTotMes = 0; // written with 10 decimals
    double qTotAnt = 0;
    double qTotGer = 0;
    TDeducCollection deduc;
    Decimal vFor;
    Decimal vTotDed;
    Decimal vLiqFor;
};

// The NFC-e supplement.
struct TinfNFeSupl {
    std::string qrCode;
    std::string urlChave;
};

struct TinfRespTec {
    std::string CNPJ;
    std::string xContato;
    std::string email;
    std::string fone;
    int idCSRT = 0;
    std::string hashCSRT;
};
