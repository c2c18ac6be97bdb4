#pragma once

#include <string>

#include "foundation/codes/conversao.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"

// The parties of an NF-e: emitter, issuing tax office, recipient, pick-up and
// delivery places, and the persons authorised to fetch the XML.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

inline constexpr int kCodigoPaisBrasil = 1058;
inline constexpr const char *kNomePaisBrasil = "BRASIL";

// The fields of the emitter's and the recipient's addresses. The document
// root puts Brazil (1058, "BRASIL") into both.
struct TEnderecoNFe {
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
    int CEP = 0;
    int cPais = 0;
    std::string xPais;
    std::string fone;
};

struct TenderEmit : TEnderecoNFe {};
struct TenderDest : TEnderecoNFe {};

struct TEmit {
    std::string CNPJCPF;
    std::string xNome;
    std::string xFant;
    TenderEmit enderEmit;
    std::string IE;
    std::string IEST;
    std::string IM;
    std::string CNAE;
    TpcnRegimeTributario CRT = crt3; // normal regime
};

// The tax office that issued a note on the taxpayer's behalf.
struct TAvulsa {
    std::string CNPJ;
    std::string xOrgao;
    std::string matr;
    std::string xAgente;
    std::string fone;
    std::string UF;
    std::string nDAR;
    TDateTime dEmi = 0;
    Decimal vDAR;
    std::string repEmi;
    TDateTime dPag = 0;
};

struct TDest {
    std::string CNPJCPF;
    std::string idEstrangeiro;
    std::string xNome;
    TenderDest enderDest;
    TpcnIndIEDestinatario indIEDest{};
    std::string IE;
    std::string ISUF;
    std::string IM;
    std::string email;
};

// The fields of the pick-up and delivery places. No country default here.
struct TLocalNFe {
    std::string CNPJCPF;
    std::string xNome;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
    int CEP = 0;
    int cPais = 0;
    std::string xPais;
    std::string fone;
    std::string email;
    std::string IE;
};

struct TRetirada : TLocalNFe {};
struct TEntrega : TLocalNFe {};

struct TautXMLCollectionItem {
    std::string CNPJCPF;
};

class TautXMLCollection : public TModelList<TautXMLCollectionItem> {};
