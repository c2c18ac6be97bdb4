#pragma once

#include <string>

#include "foundation/codes/conversao_itens.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/numbers/decimal.h"

// The taxes of one NF-e item (`imposto`). Every tax object always exists; the
// writer decides which of them reach the XML.
//
// Plain data of the document model (nfe_model.h), header only; nfe_model.cpp
// holds the model's few functions.

// One object for every ICMS situation; the writer picks the fields that the
// situation needs. Every enumeration starts at its first value: `motDesICMS`
// is mdi1, not the empty value, so whether a reason applies is told by the
// amount, not by the code.
struct TICMS {
    TpcnOrigemProduto orig = opr0;
    TpcnSitTributariaICMS CST = sti00;
    TpcnSitSimplesNacional CSOSN = ssnVazio;
    TpcnModalidadeBCICMS modBC = mbc0;
    Decimal pRedBC;
    Decimal vBC;
    Decimal pICMS;
    Decimal vICMS;
    TpcnModalidadeBCICMSST modBCST = mbs0;
    Decimal pMVAST;
    Decimal pRedBCST;
    Decimal vBCST;
    Decimal pICMSST;
    Decimal vICMSST;
    std::string UFST;
    Decimal pBCOp;
    Decimal vBCSTRet;
    Decimal vICMSSTRet;
    TpcnMotivoDesoneracao motDesICMS = mdi1;
    Decimal pCredSN;
    Decimal vCredICMSSN;
    Decimal vBCSTDest;
    Decimal vICMSSTDest;
    Decimal vICMSDeson;
    Decimal vICMSOp;
    Decimal pDif;
    Decimal vICMSDif;
    Decimal vBCFCP;
    Decimal pFCP;
    Decimal vFCP;
    Decimal vBCFCPST;
    Decimal pFCPST;
    Decimal vFCPST;
    Decimal vBCFCPSTRet;
    Decimal pFCPSTRet;
    Decimal vFCPSTRet;
    Decimal pST;
    Decimal pRedBCEfet;
    Decimal vBCEfet;
    Decimal pICMSEfet;
    Decimal vICMSEfet;
    Decimal vICMSSubstituto;
    Decimal vICMSSTDeson;
    TpcnMotivoDesoneracao motDesICMSST = mdi1;
    Decimal vFCPDif;
    Decimal vFCPEfet;
    Decimal pFCPDif;
    Decimal adRemICMS;
    Decimal vICMSMono;
    Decimal adRemICMSReten;
    Decimal vICMSMonoReten;
    Decimal adRemICMSDif;
    Decimal vICMSMonoDif;
    Decimal adRemICMSRet;
    Decimal vICMSMonoRet;
    Decimal qBCMono;
    Decimal qBCMonoReten;
    Decimal pRedAdRem;
    TpcnMotivoReducaoAdRem motRedAdRem = mraTransporteColetivo;
    Decimal qBCMonoDif;
    Decimal qBCMonoRet;
};

struct TIPI {
    std::string clEnq;
    std::string CNPJProd;
    std::string cSelo;
    int qSelo = 0;
    std::string cEnq;
    TpcnSitTributariaIPI CST{};
    Decimal vBC;
    Decimal qUnid;
    Decimal vUnid;
    Decimal pIPI;
    Decimal vIPI;
};

struct TII {
    Decimal vBC;
    Decimal vDespAdu;
    Decimal vII;
    Decimal vIOF;
};

struct TPIS {
    TpcnSitTributariaPIS CST{};
    Decimal vBC;
    Decimal pPIS;
    Decimal vPIS;
    Decimal qBCProd;
    Decimal vAliqProd;
};

struct TPISST {
    Decimal vBC;
    Decimal pPIS;
    Decimal qBCProd;
    Decimal vAliqProd;
    Decimal vPIS;
    TpcnSomaPISST indSomaPISST{};
};

// Here `vAliqProd` comes before `qBCProd`, the reverse of TPIS.
struct TCOFINS {
    TpcnSitTributariaCOFINS CST{};
    Decimal vBC;
    Decimal pCOFINS;
    Decimal vCOFINS;
    Decimal vAliqProd;
    Decimal qBCProd;
};

struct TCOFINSST {
    Decimal vBC;
    Decimal pCOFINS;
    Decimal qBCProd;
    Decimal vAliqProd;
    Decimal vCOFINS;
    TpcnSomaCOFINSST indSomaCOFINSST{};
};

// Service tax. A new one (cSitTrib sisVazio, empty cListServ) makes the item a
// goods item.
struct TISSQN {
    Decimal vBC;
    Decimal vAliq;
    Decimal vISSQN;
    int cMunFG = 0;
    std::string cListServ;
    TpcnSitTributariaISSQN cSitTrib = sisVazio;
    Decimal vDeducao;
    Decimal vOutro;
    Decimal vDescIncond;
    Decimal vDescCond;
    Decimal vISSRet;
    TpcnExigibilidadeISS indISS{};
    std::string cServico;
    int cMun = 0;
    int cPais = 0;
    std::string nProcesso;
    TpcnIncentivoFiscal indIncentivo{};
};

// Interstate sale to a final consumer.
struct TICMSUFDest {
    Decimal vBCUFDest;
    Decimal vBCFCPUFDest;
    Decimal pFCPUFDest;
    Decimal pICMSUFDest;
    Decimal pICMSInter;
    Decimal pICMSInterPart;
    Decimal vFCPUFDest;
    Decimal vICMSUFDest;
    Decimal vICMSUFRemet;
};

struct TImposto {
    Decimal vTotTrib; // approximate total of taxes
    TICMS ICMS;
    TIPI IPI;
    TII II;
    TPIS PIS;
    TPISST PISST;
    TCOFINS COFINS;
    TCOFINSST COFINSST;
    TISSQN ISSQN;
    TICMSUFDest ICMSUFDest;
};
