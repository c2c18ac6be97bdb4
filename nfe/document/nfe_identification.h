#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/dates/date_time.h"
#include "nfe/document/fuso_lido.h"
#include "nfe/document/model_list.h"

// The frame and the identification of an NF-e: `infNFe` and `ide` with its
// referenced documents.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

struct TInfNFe {
    std::string Id;    // "NFe" + the 44-digit access key; set by the writer
    double versao = 0; // layout version such as 4.00; 0 means not set

    // The version every layout rule compares: `versao` when above 0, else 2.00.
    double VersaoOuPadrao() const;
    // The version attribute of the opening tags: versao="4.00" (mask "#0.00",
    // decimal point "."), or versao="2.00" when `versao` is not above 0.
    std::string AtributoVersao() const;
};

// A referenced paper note, model 1/1A or 2.
struct TRefNF {
    int cUF = 0;
    std::string AAMM;
    std::string CNPJ;
    int mod = 0;
    int serie = 0;
    int nNF = 0;
};

// A referenced producer's note.
struct TRefNFP {
    int cUF = 0;
    std::string AAMM;
    std::string CNPJCPF;
    std::string IE;
    std::string mod;
    int serie = 0;
    int nNF = 0;
};

// A referenced fiscal-printer coupon.
struct TRefECF {
    TpcnModeloECF mod{};
    std::string nECF;
    std::string nCOO;
};

// One referenced document. All three sub-groups always exist; the writer
// tells which kind is present from their key fields.
struct TNFrefCollectionItem {
    std::string refNFe;
    std::string refNFeSig;
    std::string refCTe;
    TRefNF refNF;
    TRefECF refECF;
    TRefNFP refNFP;
};

class TNFrefCollection : public TModelList<TNFrefCollectionItem> {};

struct TIde {
    int cUF = 0; // IBGE code of the emitter's state
    int cNF = 0; // numeric code of the access key (8 digits)
    std::string natOp;
    TpcnIndFormaPagamento indPag{}; // written only before layout 4.00
    int mod = 0;                    // 55 (NF-e) or 65 (NFC-e)
    int serie = 0;
    int nNF = 0;
    TDateTime dEmi = 0;
    TDateTime dSaiEnt = 0;
    TFusoLido dEmiFuso;    // UTC offsets read with dhEmi, dhSaiEnt and dhCont
    TFusoLido dSaiEntFuso; // (from 3.00), written back while the value stands
    TDateTime hSaiEnt = 0; // written only before layout 3.00
    TpcnTipoDocFiscal tpNF{};
    TpcnLocalDestino idDest{};
    int cMunFG = 0;
    TNFrefCollection NFref;
    TpcnTipoImpressao tpImp{};
    TpcnTipoEmissao tpEmis{};
    int cDV = 0;
    TpcnTipoAmbiente tpAmb = taProducao;
    TpcnFinalidadeEmissao finNFe{};
    TpcnIndConsumidorFinal indFinal{};
    TpcnIndPresenca indPres{};
    TpcnIntermediacao indIntermed = itmNenhum; // not written
    TpcnProcEmissao procEmi{};
    std::string verProc;
    TDateTime dhCont = 0; // entry into contingency
    TFusoLido dhContFuso;
    std::string xJust; // justification of the contingency
};
