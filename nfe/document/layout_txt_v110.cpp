#include "nfe/document/detail/layout_txt_tables.h"

// Record lines of the version 1.10 layout, after its header and version lines.
// Fields are listed as the writer spells its elements; only their upper-case
// form reaches the layout text.

namespace {
constexpr TxtLayoutLine kLines[] = {
    {"B01", "B",
     "cUF, cNF, NatOp, indPag, mod, serie, nNF, dEmi, dSaiEnt, tpNF, cMunFG, TpImp, "
     "TpEmis, CDV, TpAmb, FinNFe, ProcEmi, VerProc"},
    {"B12a", "B13", "refNFe"},
    {"B14", "B14", "cUF, AAMM, CNPJ, Mod, serie, nNF"},
    {"C01", "C", "XNome, XFant, IE, IEST, IM, CNAE"},
    {"C01", "C02", "CNPJ"},
    {"C01", "C02a", "CPF"},
    {"C05", "C05", "XLgr, Nro, xCpl, xBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone"},
    {"D01", "D", "CNPJ, XOrgao, Matr, XAgente, Fone, UF, NDAR, DEmi, VDAR, RepEmi, DPag"},
    {"E01", "E", "XNome, IE, ISUF"},
    {"E01", "E02", "CNPJ"},
    {"E01", "E03", "CPF"},
    {"E05", "E05", "XLgr, Nro, XCpl, XBairro, CMun, XMun, UF, CEP, CPais, XPais, Fone"},
    {"F01", "F", "CNPJ, XLgr, Nro, XCpl, XBairro, CMun, XMun, UF"},
    {"G01", "G", "CNPJ, XLgr, Nro, XCpl, XBairro, CMun, XMun, UF"},
    {"H01", "H", "NItem, InfAdProd"},
    {"I01", "I",
     "CProd, CEAN, XProd, NCM, EXTIPI, Genero, CFOP, UCom, QCom, VUnCom, VProd, CEANTrib, "
     "UTrib, QTrib, VUnTrib, VFrete, VSeg, VDesc"},
    {"I18", "I18", "NDI, DDI, XLocDesemb, UFDesemb, DDesemb, CExportador"},
    {"I25", "I25", "NAdicao, NSeqAdic, CFabricante, VDescDI"},
    {"J01", "J",
     "TpOp, Chassi, CCor, XCor, Pot, CM3, PesoL, PesoB, NSerie, TpComb, NMotor, CMKG, "
     "Dist, RENAVAM, AnoMod, AnoFab, TpPint, TpVeic, EspVeic, VIN, CondVeic, CMod"},
    {"K01", "K", "NLote, QLote, DFab, DVal, VPMC"},
    {"L00", "L", "TpArma, NSerie, NCano, Descr"},
    {"L01", "L01", "CProdANP, CODIF, QTemp"},
    {"L105", "L105", "QBCProd, VAliqProd, VCIDE"},
    {"L109", "L109", "VBCICMS, VICMS, VBCICMSST, VICMSST"},
    {"L114", "L114", "VBCICMSSTDest, VICMSSTDest"},
    {"L117", "L117", "VBCICMSSTCons, VICMSSTCons, UFCons"},
    {"M01", "M", "VTotTrib"},
    {"N01", "N", ""},
    {"N02", "N02", "Orig, CST, ModBC, VBC, PICMS, VICMS"},
    {"N03", "N03", "Orig, CST, ModBC, VBC, PICMS, VICMS, ModBCST, PMVAST, PRedBCST, VBCST, PICMSST, VICMSST"},
    {"N04", "N04", "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMS"},
    {"N05", "N05", "Orig, CST, ModBCST, PMVAST, PRedBCST, VBCST, PICMSST, VICMSST"},
    {"N06", "N06", "Orig, CST"},
    {"N07", "N07", "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMS"},
    {"N08", "N08", "Orig, CST, VBCST, VICMSST"},
    {"N09", "N09",
     "Orig, CST, ModBC, PRedBC, VBC, PICMS, VICMS, ModBCST, PMVAST, PRedBCST, VBCST, "
     "PICMSST, VICMSST"},
    {"N10", "N10",
     "Orig, CST, ModBC, VBC, PRedBC, PICMS, VICMS, ModBCST, PMVAST, PRedBCST, VBCST, "
     "PICMSST, VICMSST"},
    {"O01", "O", "ClEnq, CNPJProd, CSelo, QSelo, CEnq"},
    {"O07", "O07", "CST, VIPI"},
    {"O07", "O10", "VBC, PIPI"},
    {"O07", "O11", "QUnid, VUnid"},
    {"O08", "O08", "CST"},
    {"P01", "P", "VBC, VDespAdu, VII, VIOF"},
    {"Q01", "Q", ""},
    {"Q02", "Q02", "CST, VBC, PPIS, VPIS"},
    {"Q03", "Q03", "CST, QBCProd, VAliqProd, VPIS"},
    {"Q04", "Q04", "CST"},
    {"Q05", "Q05", "CST, VPIS"},
    {"Q05", "Q07", "VBC, PPIS"},
    {"Q05", "Q10", "QBCProd, VAliqProd"},
    {"R01", "R", "VPIS"},
    {"R01", "R02", "VBC, PPIS"},
    {"R01", "R04", "QBCProd, VAliqProd"},
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
    {"U01", "U", "VBC, VAliq, VISSQN, CMunFG, CListServ"},
    {"W01", "W", ""},
    {"W02", "W02",
     "VBC, VICMS, VBCST, VST, VProd, VFrete, VSeg, VDesc, VII, VIPI, VPIS, VCOFINS, "
     "VOutro, VNF, VTotTrib"},
    {"W17", "W17", "VServ, VBC, VISS, VPIS, VCOFINS"},
    {"W23", "W23", "VRetPIS, VRetCOFINS, VRetCSLL, VBCIRRF, VIRRF, VBCRetPrev, VRetPrev"},
    {"X01", "X", "ModFrete"},
    {"X03", "X03", "XNome, IE, XEnder, UF, XMun"},
    {"X03", "X04", "CNPJ"},
    {"X03", "X05", "CPF"},
    {"X11", "X11", "VServ, VBCRet, PICMSRet, VICMSRet, CFOP, CMunFG"},
    {"X18", "X18", "Placa, UF, RNTC"},
    {"X22", "X22", "Placa, UF, RNTC"},
    {"X26", "X26", "QVol, Esp, Marca, NVol, PesoL, PesoB"},
    {"X33", "X33", "NLacre"},
    {"Y01", "Y", ""},
    {"Y02", "Y02", "NFat, VOrig, VDesc, VLiq"},
    {"Y07", "Y07", "NDup, DVenc, VDup"},
    {"Z01", "Z", "InfAdFisco, InfCpl"},
    {"Z04", "Z04", "XCampo, XTexto"},
    {"Z10", "Z10", "NProc, IndProc"},
    {"ZA01", "ZA", "UFEmbarq, XLocEmbarq"},
    {"ZB01", "ZB", "XNEmp, XPed, XCont"},
};
} // namespace

const TxtLayoutVersion &txtLayoutV110()
{
    static constexpr TxtLayoutVersion versionTable{"1.10", "B01", kLines};
    return versionTable;
}
