#pragma once

#include <string>
#include <string_view>

#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"
#include "nfe/document/model_list.h"

// The product of one NF-e item (`prod`) and its specific groups: import
// declarations, NVE codes, exports, traceability, vehicle, medicines, weapons
// and fuel. Each field carries the XML element of the same name.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

// ---- Import declarations ------------------------------------------------------

struct TAdiCollectionItem {
    int nAdicao = 0;
    int nSeqAdic = 0;
    std::string cFabricante;
    Decimal vDescDI;
    std::string nDraw;
};

class TAdiCollection : public TModelList<TAdiCollectionItem> {};

struct TDICollectionItem {
    std::string nDI;
    TDateTime dDI = 0;
    std::string xLocDesemb;
    std::string UFDesemb;
    TDateTime dDesemb = 0;
    TpcnViaTransporteInternacional tpViaTransp{};
    Decimal vAFRMM;
    TpcnFormaImportacao tpIntermedio{};
    std::string CNPJ;
    std::string UFTerceiro;
    std::string cExportador;
    TAdiCollection adi;
};

class TDICollection : public TModelList<TDICollectionItem> {};

// ---- NVE, exports, traceability -------------------------------------------------

struct TNVECollectionItem {
    std::string NVE;
};

class TNVECollection : public TModelList<TNVECollectionItem> {};

struct TdetExportCollectionItem {
    std::string nDraw;
    std::string nRE;
    std::string chNFe;
    Decimal qExport;
};

class TdetExportCollection : public TModelList<TdetExportCollectionItem> {};

struct TRastroCollectionItem {
    std::string nLote;
    Decimal qLote;
    TDateTime dFab = 0;
    TDateTime dVal = 0;
    std::string cAgreg;
};

class TRastroCollection : public TModelList<TRastroCollectionItem> {};

// ---- Vehicle, medicines, weapons ---------------------------------------------------

// A new vehicle; the group is written only when `chassi` is filled.
struct TveicProd {
    TpcnTipoOperacaoVeiculo tpOp{};
    std::string chassi;
    std::string cCor;
    std::string xCor;
    std::string pot;
    std::string cilin;
    std::string pesoL;
    std::string pesoB;
    std::string nSerie;
    std::string tpComb;
    std::string nMotor;
    std::string CMT;
    std::string dist;
    int anoMod = 0;
    int anoFab = 0;
    std::string tpPint;
    int tpVeic = 0;
    int espVeic = 0;
    std::string VIN;
    TpcnEstadoVeiculo condVeic{};
    std::string cMod;
    std::string cCorDENATRAN;
    int lota = 0;
    int tpRest = 0;
};

struct TmedCollectionItem {
    std::string cProdANVISA;
    std::string xMotivoIsencao;
    std::string nLote;
    Decimal qLote;
    TDateTime dFab = 0;
    TDateTime dVal = 0;
    Decimal vPMC;
};

class TmedCollection : public TModelList<TmedCollectionItem> {};

struct TarmaCollectionItem {
    TpcnClasseArma tpArma{};
    std::string nSerie;
    std::string nCano;
    std::string descr;
};

class TarmaCollection : public TModelList<TarmaCollectionItem> {};

// ---- Fuel ---------------------------------------------------------------------------

struct TCIDE {
    Decimal qBCProd;
    Decimal vAliqProd;
    Decimal vCIDE;
};

struct TICMSComb {
    Decimal vBCICMS;
    Decimal vICMS;
    Decimal vBCICMSST;
    Decimal vICMSST;
};

struct TICMSInter {
    Decimal vBCICMSSTDest;
    Decimal vICMSSTDest;
};

struct TICMSCons {
    Decimal vBCICMSSTCons;
    Decimal vICMSSTCons;
    std::string UFCons;
};

// The pump meter of a fuel sale.
struct Tencerrante {
    int nBico = 0;
    int nBomba = 0;
    int nTanque = 0;
    Decimal vEncIni;
    Decimal vEncFin;
};

struct TorigCombCollectionItem {
    TpcnOrigemCombustivel indImport{};
    int cUFOrig = 0;
    Decimal pOrig;
};

class TorigCombCollection : public TModelList<TorigCombCollectionItem> {};

// Fuel data; the group is written only when `cProdANP` is above 0.
struct TComb {
    int cProdANP = 0;
    Decimal pMixGN; // layouts before 4.00
    std::string descANP;
    Decimal pGLP;
    Decimal pGNn;
    Decimal pGNi;
    Decimal vPart;
    std::string CODIF;
    Decimal qTemp;
    std::string UFCons;
    TCIDE CIDE;
    TICMSComb ICMSComb;
    TICMSInter ICMSInter;
    TICMSCons ICMSCons;
    Tencerrante encerrante;
    Decimal pBio;
    TorigCombCollection origComb;
};

// ---- Product ------------------------------------------------------------------------

struct TProd {
    std::string cProd;
    int nItem = 0; // the nItem attribute of det
    std::string cEAN;
    std::string xProd;
    std::string NCM;
    std::string EXTIPI;
    std::string CFOP; // kept as given; the writer keeps only its digits
    std::string uCom;
    Decimal qCom;
    double vUnCom = 0;
    Decimal vProd;
    std::string cEANTrib;
    std::string uTrib;
    Decimal qTrib;
    double vUnTrib = 0;
    Decimal vFrete;
    Decimal vSeg;
    Decimal vDesc;
    Decimal vOutro;
    TpcnIndSomaTotal indTot = ist1; // a new item counts in the total
    TDICollection DI;
    std::string xPed;
    std::string nItemPed;
    TdetExportCollection detExport;
    TRastroCollection rastro;
    TveicProd veicProd;
    TmedCollection med;
    TarmaCollection arma;
    TComb comb;
    std::string nRECOPI;
    std::string nFCI;
    TNVECollection NVE;
    std::string CEST;
    TpcnEscalaProducao indEscala = epNenhum;
    std::string CNPJFab;
    std::string cBenef;
    std::string cBarra;
    std::string cBarraTrib;

    // Stores the CFOP text unchanged (no trimming, no digit filtering).
    void SetCFOP(std::string_view value) { CFOP = value; }
};
