#include "nfe/document/detail/layout_txt_tables.h"

// Record lines of the version 4.00 layout, after its header and version lines.
// Fields are listed as the writer spells its elements; only their upper-case
// form reaches the layout text.

namespace {
constexpr TxtLayoutLine kLines[] = {
    {"B01", "B",
     "cUF, cNF, NatOp, mod, serie, nNF, dhEmi, dhSaiEnt, tpNF, idDest, cMunFG, tpImp, "
     "tpEmis, CDV, tpAmb, finNFe, indFinal, indPres, procEmi, verProc, dhCont, xJust"},
    {"BA", "BA02", "refNFe"},
    {"BA03", "BA03", "cUF, AAMM, CNPJ, Mod, serie, nNF"},
    {"BA10", "BA10", "cUF, AAMM, IE, Mod, serie, nNF, refCTe"},
    {"BA13", "BA13", "CNPJ"},
    {"BA14", "BA14", "CPF"},
    {"BA20", "BA20", "mod, nECF, nCOO"},
    {"C01", "C", "XNome, XFant, IE, IEST, IM, CNAE, CRT"},
    {"C01", "C02", "CNPJ"},
    {"C01", "C02a", "CPF"},
    {"C05", "C05", "XLgr, Nro, xCpl, xBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone"},
    {"D01", "D", "CNPJ, XOrgao, Matr, XAgente, Fone, UF, NDAR, DEmi, VDAR, RepEmi, DPag"},
    {"E01", "E", "XNome, indIEDest, IE, ISUF, IM, EMAIL"},
    {"E01", "E02", "CNPJ"},
    {"E01", "E03", "CPF"},
    {"E01", "E03a", "idEstrangeiro"},
    {"E05", "E05", "XLgr, Nro, XCpl, XBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone"},
    {"F01", "F", "XLgr, Nro, XCpl, XBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone, Email, IE"},
    {"F01", "F02", "CNPJ"},
    {"F01", "F02a", "CPF"},
    {"F01", "F02b", "XNome"},
    {"G01", "G", "XLgr, Nro, XCpl, XBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone, Email, IE"},
    {"G01", "G02", "CNPJ"},
    {"G01", "G02a", "CPF"},
    {"G01", "G02b", "XNome"},
    {"G50", "GA02", "CNPJ"},
    {"G50", "GA03", "CPF"},
    {"H01", "H", "NItem, InfAdProd"},
    {"I01", "I",
     "CProd, CEAN, XProd, NCM, EXTIPI, CFOP, UCom, QCom, VUnCom, VProd, CEANTrib, UTrib, "
     "QTrib, VUnTrib, VFrete, VSeg, VDesc, VOutro, indTot, xPed, nItemPed, nFCI, "
     "indEscala, CNPJFab, cBenef"},
    {"I05A", "I05a", "NVE"},
    {"I05c", "I05c", "CEST"},
    {"I18", "I18",
     "NDI, DDI, XLocDesemb, UFDesemb, DDesemb, tpViaTransp, vAFRMM, tpIntermedio, CNPJ, "
     "UFTerceiro, CExportador"},
    {"I25", "I25", "NAdicao, NSeqAdic, CFabricante, VDescDI, nDraw"},
    {"I50", "I50", "nDraw"},
    {"I52", "I52", "nRE, chNFe, qExport"},
    {"I80", "I80", "nLote, qLote, dFab, dVal, cAgreg"},
    {"J01", "JA",
     "tpOp, chassi, cCor, xCor, pot, Cilin, pesoL, pesoB, NSerie, TpComb, NMotor, CMT, "
     "Dist, AnoMod, AnoFab, TpPint, TpVeic, EspVeic, VIN, CondVeic, CMod, cCorDENATRAN, "
     "lota, tpRest"},
    {"K01", "K", "cProdANVISA, xMotivoIsencao, vPMC"},
    {"L01", "L", "TpArma, NSerie, NCano, Descr"},
    {"LA", "LA", "cProdANP, descANP, pGLP, pGNn, pGNi, vPart, CODIF, qTemp, UFCons"},
    {"LA07", "LA07", "QBCProd, VAliqProd, VCIDE"},
    {"LA11", "LA11", "nBico, nBomba, nTanque, vEncIni, vEncFin"},
    {"LB", "LB", "nRECOPI"},
    {"M01", "M", "VTotTrib"},
    {"N01", "N", "", "|"}, // the one group-start line that ends with a separator
    {"N02", "N02", "Orig, CST, ModBC, VBC, PICMS, VICMS, pFCP, vFCP"},
    {"N03", "N03",
     "Orig, CST, ModBC, VBC, PICMS, VICMS, vBCFCP, pFCP, vFCP, ModBCST, PMVAST, PRedBCST, "
     "VBCST, PICMSST, VICMSST, vBCFCPST, pFCPST, vFCPST"},
    {"N04", "N04", "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMS, vBCFCP, pFCP, vFCP, VICMSDeson, MotDesICMS"},
    {"N05", "N05",
     "Orig, CST, ModBCST, PMVAST, PRedBCST, VBCST, PICMSST, VICMSST, vBCFCPST, pFCPST, "
     "vFCPST, VICMSDeson, MotDesICMS"},
    {"N06", "N06", "Orig, CST, vICMSDeson, MotDesICMS"},
    {"N07", "N07",
     "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMSOp, PDif, VICMSDif, VICMS, vBCFCP, pFCP, "
     "vFCP"},
    {"N08", "N08",
     "Orig, CST, VBCSTRet, pST, vICMSSubstituto, vICMSSTRet, vBCFCPSTRet, pFCPSTRet, "
     "vFCPSTRet, pRedBCEfet, vBCEfet, pICMSEfet, vICMSEfet"},
    {"N09", "N09",
     "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMS, vBCFCP, pFCP, vFCP, ModBCST, PMVAST, "
     "PRedBCST, VBCST, PICMSST, VICMSST, vBCFCPST, pFCPST, vFCPST, VICMSDeson, MotDesICMS"},
    {"N10", "N10",
     "Orig, CST, ModBC, VBC, PRedBC, PICMS, VICMS, vBCFCP, pFCP, vFCP, ModBCST, PMVAST, "
     "PRedBCST, VBCST, PICMSST, VICMSST, vBCFCPST, pFCPST, vFCPST, VICMSDeson, MotDesICMS"},
    {"N10a", "N10a",
     "Orig, CST, ModBC, VBC, PRedBC, PICMS, VICMS, ModBCST, PMVAST, PRedBCST, VBCST, "
     "PICMSST, VICMSST, pBCOp, UFST"},
    {"N10b", "N10b",
     "Orig, CST, vBCSTRet, pST, vICMSSubstituto, vICMSSTRet, vBCFCPSTRet, pFCPSTRet, "
     "vFCPSTRet, vBCSTDest, vICMSSTDest, pRedBCEfet, vBCEfet, pICMSEfet, vICMSEfet"},
    {"N10c", "N10c", "Orig, CSOSN, pCredSN, vCredICMSSN"},
    {"N10d", "N10d", "Orig, CSOSN"},
    {"N10e", "N10e",
     "Orig, CSOSN, modBCST, pMVAST, pRedBCST, vBCST, pICMSST, vICMSST, vBCFCPST, pFCPST, "
     "vFCPST, pCredSN, vCredICMSSN"},
    {"N10f", "N10f",
     "Orig, CSOSN, modBCST, pMVAST, pRedBCST, vBCST, pICMSST, vICMSST, vBCFCPST, pFCPST, "
     "vFCPST"},
    {"N10g", "N10g",
     "Orig, CSOSN, vBCSTRet, pST, vICMSSubstituto, vICMSSTRet, vBCFCPSTRet, pFCPSTRet, "
     "vFCPSTRet, pRedBCEfet, vBCEfet, pICMSEfet, vICMSEfet"},
    {"N10h", "N10h",
     "Orig, CSOSN, modBC, vBC, pRedBC, pICMS, vICMS, modBCST, pMVAST, pRedBCST, vBCST, "
     "pICMSST, vICMSST, vBCFCPST, pFCPST, vFCPST, pCredSN, vCredICMSSN"},
    {"NA", "NA",
     "vBCUFDest, vBCFCPUFDest, pFCPUFDest, pICMSUFDest, pICMSInter, pICMSInterPart, "
     "vFCPUFDest, vICMSUFDest, vICMSUFRemet"},
    {"O01", "O", "CNPJProd, CSelo, QSelo, CEnq"},
    {"O07", "O07", "CST, VIPI"},
    {"O07", "O10", "VBC, PIPI, VIPI"},
    {"O07", "O11", "QUnid, VUnid, VIPI"},
    {"O08", "O08", "CST"},
    {"P01", "P", "VBC, VDespAdu, VII, VIOF"},
    {"Q01", "Q", ""},
    {"Q02", "Q02", "CST, VBC, PPIS, VPIS"},
    {"Q03", "Q03", "CST, QBCProd, VAliqProd, VPIS"},
    {"Q04", "Q04", "CST"},
    {"Q05", "Q05", "CST, VPIS"},
    {"Q05", "Q07", "VBC, PPIS, VPIS"},
    {"Q05", "Q10", "QBCProd, VAliqProd"},
    {"R01", "R", "VPIS"},
    {"R01", "R02", "VBC, PPIS, VPIS"},
    {"R01", "R04", "QBCProd, VAliqProd, VPIS"},
    {"S01", "S", ""},
    {"S02", "S02", "CST, VBC, PCOFINS, VCOFINS"},
    {"S03", "S03", "CST, QBCProd, VAliqProd, VCOFINS"},
    {"S04", "S04", "CST"},
    {"S05", "S05", "CST, VCOFINS"},
    {"S05", "S07", "VBC, PCOFINS"},
    {"S05", "S09", "QBCProd, VAliqProd"},
    {"T01", "T", "VCOFINS"},
    {"T01", "T02", "VBC, PCOFINS"},
    {"T01", "T04", "QBCProd, VAliqProd"},
    {"U01", "U",
     "VBC, VAliq, VISSQN, CMunFG, CListServ, VDeducao, VOutro, VDescIncond, VDescCond, "
     "VISSRet, IndISS, CServico, CMun, CPais, NProcesso, IndIncentivo"},
    {"U50", "UA", "PDevol"},
    {"U60", "UA3", "vIPIDevol"},
    {"W01", "W", ""},
    {"W02", "W02",
     "vBC, vICMS, vICMSDeson, vFCP, vBCST, vST, vFCPST, vFCPSTRet, vProd, vFrete, vSeg, "
     "vDesc, vII, vIPI, vIPIDevol, vPIS, vCOFINS, vOutro, vNF, vTotTrib"},
    {"W04c", "W04c", "vFCPUFDest"},
    {"W04e", "W04e", "vICMSUFDest"},
    {"W04g", "W04g", "vICMSUFRemet"},
    {"W17", "W17",
     "VServ, VBC, VISS, VPIS, VCOFINS, dCompet, vDeducao, vOutro, vDescIncond, vDescCond, "
     "vISSRet, cRegTrib"},
    {"W23", "W23", "VRetPIS, VRetCOFINS, VRetCSLL, VBCIRRF, VIRRF, VBCRetPrev, VRetPrev"},
    {"X01", "X", "ModFrete"},
    {"X03", "X03", "XNome, IE, XEnder, XMun, UF"},
    {"X03", "X04", "CNPJ"},
    {"X03", "X05", "CPF"},
    {"X11", "X11", "VServ, VBCRet, PICMSRet, VICMSRet, CFOP, CMunFG"},
    {"X18", "X18", "Placa, UF, RNTC"},
    {"X22", "X22", "Placa, UF, RNTC"},
    {"X25a", "X25a", "Vagao"},
    {"X25b", "X25b", "Balsa"},
    {"X26", "X26", "QVol, Esp, Marca, NVol, PesoL, PesoB"},
    {"X26", "X33", "NLacre"},
    {"Y01", "Y", ""},
    {"Y02", "Y02", "NFat, VOrig, VDesc, VLiq"},
    {"Y07", "Y07", "NDup, DVenc, VDup"},
    {"YA01", "YA", ""},
    {"YA01a", "YA01", "indPag, tPag, vPag"},
    {"YA04", "YA04", "CNPJ, tBand, cAut"},
    {"YA09", "YA09", "vTroco"},
    {"Z01", "Z", "InfAdFisco, InfCpl"},
    {"Z04", "Z04", "XCampo, XTexto"},
    {"Z07", "Z07", "XCampo, XTexto"},
    {"Z10", "Z10", "NProc, IndProc"},
    {"ZA", "ZA", "UFSaidaPais, XLocExporta, XLocDespacho"},
    {"ZB", "ZB", "XNEmp, XPed, XCont"},
    {"ZC", "ZC", "Safra, Ref, QTotMes, QTotAnt, QTotGer, VFor, VTotDed, VLiqFor"},
    {"ZC04", "ZC04", "Dia, Qtde"},
    {"ZC10", "ZC10", "XDed, VDed"},
    {"ZD01", "ZD01", "CNPJ, xContato, email, fone"},
    {"ZD07", "ZD07", "idCSRT, hashCSRT"},
};
} // namespace

const TxtLayoutVersion &txtLayoutV400()
{
    static constexpr TxtLayoutVersion versionTable{"4.00", "B", kLines};
    return versionTable;
}
