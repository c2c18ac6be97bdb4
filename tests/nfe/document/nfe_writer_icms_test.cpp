// The ICMS groups of the NF-e writer: for each tax situation (CST or CSOSN),
// layout version, force option and set of amounts, the inner group written
// and the sequence of its elements.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "writer_fixture.h"
#include "writer_item_fixture.h"

namespace {

// Fixed time zone and numeric code (see writer_fixture.h).
class NFeWriterICMS : public NFeWriterTest {};

using Preenche = void (*)(TICMS &);

// Every amount of the item above zero, every code filled.
void cheios(TICMS &icms)
{
    icms.modBC = mbc3;
    icms.modBCST = mbs4;
    icms.motDesICMS = mdi9;
    icms.motDesICMSST = mdi3;
    icms.motRedAdRem = mraOutros;
    icms.UFST = "RJ";
    for (Decimal TICMS::*campo : {&TICMS::pRedBC,
                                  &TICMS::vBC,
                                  &TICMS::pICMS,
                                  &TICMS::vICMS,
                                  &TICMS::pMVAST,
                                  &TICMS::pRedBCST,
                                  &TICMS::vBCST,
                                  &TICMS::pICMSST,
                                  &TICMS::vICMSST,
                                  &TICMS::pBCOp,
                                  &TICMS::vBCSTRet,
                                  &TICMS::vICMSSTRet,
                                  &TICMS::pCredSN,
                                  &TICMS::vCredICMSSN,
                                  &TICMS::vBCSTDest,
                                  &TICMS::vICMSSTDest,
                                  &TICMS::vICMSDeson,
                                  &TICMS::vICMSOp,
                                  &TICMS::pDif,
                                  &TICMS::vICMSDif,
                                  &TICMS::vBCFCP,
                                  &TICMS::pFCP,
                                  &TICMS::vFCP,
                                  &TICMS::vBCFCPST,
                                  &TICMS::pFCPST,
                                  &TICMS::vFCPST,
                                  &TICMS::vBCFCPSTRet,
                                  &TICMS::pFCPSTRet,
                                  &TICMS::vFCPSTRet,
                                  &TICMS::pST,
                                  &TICMS::pRedBCEfet,
                                  &TICMS::vBCEfet,
                                  &TICMS::pICMSEfet,
                                  &TICMS::vICMSEfet,
                                  &TICMS::vICMSSubstituto,
                                  &TICMS::vICMSSTDeson,
                                  &TICMS::vFCPDif,
                                  &TICMS::vFCPEfet,
                                  &TICMS::pFCPDif,
                                  &TICMS::adRemICMS,
                                  &TICMS::vICMSMono,
                                  &TICMS::adRemICMSReten,
                                  &TICMS::vICMSMonoReten,
                                  &TICMS::adRemICMSDif,
                                  &TICMS::vICMSMonoDif,
                                  &TICMS::adRemICMSRet,
                                  &TICMS::vICMSMonoRet,
                                  &TICMS::qBCMono,
                                  &TICMS::qBCMonoReten,
                                  &TICMS::pRedAdRem,
                                  &TICMS::qBCMonoDif,
                                  &TICMS::qBCMonoRet})
        icms.*campo = 1;
}

// Every amount zero, as in a new item.
void zerados(TICMS &) {}

struct CasoICMS {
    std::string nome;
    TpcnRegimeTributario crt = crt3;
    TpcnSitTributariaICMS cst = sti00;
    TpcnSitSimplesNacional csosn = ssnVazio;
    double versao = 4.0;
    Preenche preenche = cheios;
    std::string esperado; // "ICMS00: orig CST ..." (the inner group of ICMS)
    std::string codigo;   // the CST or CSOSN written
    TForcarGeracaoTag forca938 = fgtNunca;
    TForcarGeracaoTag forca906 = fgtNunca;
    TpcnTipoAmbiente ambiente = taProducao;
    TpcnIndConsumidorFinal indFinal = icf0;

    CasoICMS com938(TForcarGeracaoTag opcao, TpcnTipoAmbiente amb = taProducao) const
    {
        CasoICMS caso = *this;
        caso.forca938 = opcao;
        caso.ambiente = amb;
        caso.nome += " 938=" + std::to_string(opcao) + " amb=" + std::to_string(amb);
        return caso;
    }
    CasoICMS com906(TForcarGeracaoTag opcao, TpcnIndConsumidorFinal consumidor) const
    {
        CasoICMS caso = *this;
        caso.forca906 = opcao;
        caso.indFinal = consumidor;
        caso.nome += " 906=" + std::to_string(opcao) + " indFinal=" + std::to_string(consumidor);
        return caso;
    }
};

std::string nomeVersao(double versao)
{
    return versao >= 4 ? "4.00" : versao >= 3.1 ? "3.10" : "2.00";
}

CasoICMS cst(TpcnSitTributariaICMS situacao, double versao, Preenche preenche, std::string codigo,
             std::string esperado)
{
    CasoICMS caso;
    caso.nome = std::string(EnumValueName(situacao)) + " " + nomeVersao(versao) +
                (preenche == zerados  ? " zerados"
                 : preenche == cheios ? " cheios"
                                      : " proprios");
    caso.cst = situacao;
    caso.versao = versao;
    caso.preenche = preenche;
    caso.codigo = std::move(codigo);
    caso.esperado = std::move(esperado);
    return caso;
}

CasoICMS csosn(TpcnSitSimplesNacional situacao, double versao, Preenche preenche, std::string codigo,
               std::string esperado)
{
    CasoICMS caso;
    caso.nome = std::string(EnumValueName(situacao)) + " " + nomeVersao(versao) +
                (preenche == zerados  ? " zerados"
                 : preenche == cheios ? " cheios"
                                      : " proprios");
    caso.crt = crt1;
    caso.cst = sti00; // never read under the simplified regime
    caso.csosn = situacao;
    caso.versao = versao;
    caso.preenche = preenche;
    caso.codigo = std::move(codigo);
    caso.esperado = std::move(esperado);
    return caso;
}

const std::string kST = "modBCST pMVAST pRedBCST vBCST pICMSST vICMSST";
const std::string kSTZerado = "modBCST vBCST pICMSST vICMSST"; // pMVAST and pRedBCST at zero
const std::string kFCP = "vBCFCP pFCP vFCP";
const std::string kFCPST = "vBCFCPST pFCPST vFCPST";
const std::string kFCPSTRet = "vBCFCPSTRet pFCPSTRet vFCPSTRet";
const std::string kEfet = "pRedBCEfet vBCEfet pICMSEfet vICMSEfet";
const std::string kRetido400 = "vBCSTRet pST vICMSSubstituto vICMSSTRet";

std::vector<CasoICMS> casosICMS()
{
    const double v4 = 4.0;
    const double v31 = 3.1;
    const double v2 = 2.0;
    std::vector<CasoICMS> casos = {
        // ---- CST, every amount filled ----
        cst(sti00, v4, cheios, "00", "ICMS00: orig CST modBC vBC pICMS vICMS pFCP vFCP"),
        cst(sti00, v31, cheios, "00", "ICMS00: orig CST modBC vBC pICMS vICMS"),
        cst(sti00, v2, cheios, "00", "ICMS00: orig CST modBC vBC pICMS vICMS"),
        cst(sti02, v4, cheios, "02", "ICMS02: orig CST qBCMono adRemICMS vICMSMono"),
        cst(sti02, v31, cheios, "02", "ICMS02: orig CST qBCMono adRemICMS vICMSMono"),
        cst(sti02, v2, cheios, "02", "ICMS02: orig CST qBCMono adRemICMS vICMSMono"),
        cst(sti10, v4, cheios, "10",
            "ICMS10: orig CST modBC vBC pICMS vICMS " + kFCP + " " + kST + " " + kFCPST +
                " vICMSSTDeson motDesICMSST"),
        cst(sti10, v31, cheios, "10", "ICMS10: orig CST modBC vBC pICMS vICMS " + kST),
        cst(sti10, v2, cheios, "10", "ICMS10: orig CST modBC vBC pICMS vICMS " + kST),
        cst(sti10Part, v4, cheios, "10",
            "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " " + kFCPST + " pBCOp UFST"),
        cst(sti10Part, v31, cheios, "10", "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " pBCOp UFST"),
        cst(sti10Part, v2, cheios, "10", "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " pBCOp UFST"),
        cst(sti15, v4, cheios, "15",
            "ICMS15: orig CST qBCMono adRemICMS vICMSMono qBCMonoReten adRemICMSReten vICMSMonoReten pRedAdRem "
            "motRedAdRem"),
        cst(sti15, v2, cheios, "15",
            "ICMS15: orig CST qBCMono adRemICMS vICMSMono qBCMonoReten adRemICMSReten vICMSMonoReten pRedAdRem "
            "motRedAdRem"),
        cst(sti20, v4, cheios, "20", "ICMS20: orig CST modBC pRedBC vBC pICMS vICMS " + kFCP + " vICMSDeson motDesICMS"),
        cst(sti20, v31, cheios, "20", "ICMS20: orig CST modBC pRedBC vBC pICMS vICMS vICMSDeson motDesICMS"),
        cst(sti20, v2, cheios, "20", "ICMS20: orig CST modBC pRedBC vBC pICMS vICMS"),
        cst(sti30, v4, cheios, "30", "ICMS30: orig CST " + kST + " " + kFCPST + " vICMSDeson motDesICMS"),
        cst(sti30, v31, cheios, "30", "ICMS30: orig CST " + kST + " vICMSDeson motDesICMS"),
        cst(sti30, v2, cheios, "30", "ICMS30: orig CST " + kST),
        cst(sti40, v4, cheios, "40", "ICMS40: orig CST vICMSDeson motDesICMS"),
        cst(sti41, v31, cheios, "41", "ICMS40: orig CST vICMSDeson motDesICMS"),
        cst(sti50, v2, cheios, "50", "ICMS40: orig CST vICMS motDesICMS"),
        cst(sti40, v2, cheios, "40", "ICMS40: orig CST vICMS motDesICMS"),
        cst(sti51, v4, cheios, "51",
            "ICMS51: orig CST modBC pRedBC vBC pICMS vICMSOp pDif vICMSDif vICMS " + kFCP + " pFCPDif vFCPDif vFCPEfet"),
        cst(sti51, v31, cheios, "51", "ICMS51: orig CST modBC pRedBC vBC pICMS vICMSOp pDif vICMSDif vICMS"),
        cst(sti51, v2, cheios, "51", "ICMS51: orig CST modBC pRedBC vBC pICMS vICMSOp pDif vICMSDif vICMS"),
        cst(sti53, v4, cheios, "53", "ICMS53: orig CST qBCMonoDif adRemICMSDif vICMSMonoDif"),
        cst(sti53, v2, cheios, "53", "ICMS53: orig CST qBCMonoDif adRemICMSDif vICMSMonoDif"),
        cst(sti60, v4, cheios, "60", "ICMS60: orig CST " + kRetido400 + " " + kFCPSTRet + " " + kEfet),
        cst(sti60, v31, cheios, "60", "ICMS60: orig CST vBCSTRet vICMSSTRet"),
        cst(sti60, v2, cheios, "60", "ICMS60: orig CST vBCSTRet vICMSSTRet"),
        cst(sti41Rep, v4, cheios, "41",
            "ICMSST: orig CST " + kRetido400 + " " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti41Rep, v31, cheios, "41",
            "ICMSST: orig CST vBCSTRet vICMSSTRet " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti41Rep, v2, cheios, "41",
            "ICMSST: orig CST vBCSTRet vICMSSTRet " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti60Rep, v4, cheios, "60",
            "ICMSST: orig CST " + kRetido400 + " " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti60Rep, v31, cheios, "60",
            "ICMS60: orig CST vBCSTRet vICMSSTRet " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti60Rep, v2, cheios, "60",
            "ICMS60: orig CST vBCSTRet vICMSSTRet " + kFCPSTRet + " vBCSTDest vICMSSTDest " + kEfet),
        cst(sti61, v4, cheios, "61", "ICMS61: orig CST qBCMonoRet adRemICMSRet vICMSMonoRet"),
        cst(sti61, v31, cheios, "61", "ICMS61: orig CST qBCMonoRet adRemICMSRet vICMSMonoRet"),
        cst(sti70, v4, cheios, "70",
            "ICMS70: orig CST modBC pRedBC vBC pICMS vICMS " + kFCP + " " + kST + " " + kFCPST +
                " vICMSDeson motDesICMS vICMSSTDeson motDesICMSST"),
        cst(sti70, v31, cheios, "70",
            "ICMS70: orig CST modBC pRedBC vBC pICMS vICMS " + kST + " vICMSDeson motDesICMS"),
        cst(sti70, v2, cheios, "70", "ICMS70: orig CST modBC pRedBC vBC pICMS vICMS " + kST),
        cst(sti80, v4, cheios, "80", "ICMS80: orig CST"),
        cst(sti81, v31, cheios, "81", "ICMS81: orig CST"),
        cst(sti81, v2, cheios, "81", "ICMS81: orig CST"),
        cst(sti90, v4, cheios, "90",
            "ICMS90: orig CST modBC vBC pRedBC pICMS vICMS " + kFCP + " " + kST + " " + kFCPST +
                " vICMSDeson motDesICMS vICMSSTDeson motDesICMSST"),
        cst(sti90, v31, cheios, "90",
            "ICMS90: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " vICMSDeson motDesICMS"),
        cst(sti90, v2, cheios, "90", "ICMS90: orig CST modBC vBC pRedBC pICMS vICMS " + kST),
        cst(sti90Part, v4, cheios, "90",
            "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " " + kFCPST + " pBCOp UFST"),
        cst(sti90Part, v31, cheios, "90", "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " pBCOp UFST"),
        cst(sti90Part, v2, cheios, "90", "ICMSPart: orig CST modBC vBC pRedBC pICMS vICMS " + kST + " pBCOp UFST"),
        // The situations without a group of their own: ICMS nested in ICMS.
        cst(sti45, v4, cheios, "45", "ICMS: orig CST"),
        cst(sti91, v31, cheios, "90", "ICMS: orig CST"),
        cst(stiSN, v2, cheios, "SN", "ICMS: orig CST"),
        cst(stiVazio, v4, cheios, "", "ICMS: orig CST"),

        // ---- CST, amounts at zero or chosen ----
        cst(sti00, v4, zerados, "00", "ICMS00: orig CST modBC vBC pICMS vICMS"),
        cst(sti00, v4, [](TICMS &i) { i.pFCP = 2; }, "00", "ICMS00: orig CST modBC vBC pICMS vICMS pFCP vFCP"),
        cst(sti10, v4, zerados, "10", "ICMS10: orig CST modBC vBC pICMS vICMS " + kSTZerado),
        cst(sti10Part, v4, zerados, "10", "ICMSPart: orig CST modBC vBC pICMS vICMS " + kSTZerado),
        cst(sti10Part, v4, [](TICMS &i) { i.UFST = "RJ"; }, "10",
            "ICMSPart: orig CST modBC vBC pICMS vICMS " + kSTZerado + " pBCOp UFST"),
        cst(sti15, v4, zerados, "15", "ICMS15: orig CST adRemICMS vICMSMono adRemICMSReten vICMSMonoReten"),
        cst(sti15, v4, [](TICMS &i) { i.pRedAdRem = -1; }, "15",
            "ICMS15: orig CST adRemICMS vICMSMono adRemICMSReten vICMSMonoReten pRedAdRem motRedAdRem"),
        cst(sti20, v4, [](TICMS &i) { i.vICMSDeson = -5; }, "20", "ICMS20: orig CST modBC pRedBC vBC pICMS vICMS"),
        cst(sti40, v4, zerados, "40", "ICMS40: orig CST"),
        cst(sti40, v2, zerados, "40", "ICMS40: orig CST"),
        cst(sti51, v4, [](TICMS &i) { i.modBC = mbcVazio; i.vFCPEfet = 1; }, "51",
            "ICMS51: orig CST pRedBC vBC pICMS vICMSOp pDif vICMSDif vICMS pFCPDif vFCPDif vFCPEfet"),
        cst(sti51, v4, [](TICMS &i) { i.pFCPDif = 1; }, "51",
            "ICMS51: orig CST modBC pRedBC vBC pICMS vICMSOp pDif vICMSDif vICMS pFCPDif vFCPDif"),
        cst(sti53, v4, zerados, "53", "ICMS53: orig CST"),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST"),
        cst(sti60, v2, zerados, "60", "ICMS60: orig CST"),
        cst(sti60, 1.10, zerados, "60", "ICMS60: orig CST vBCST vICMSST"),
        cst(sti60, v4, [](TICMS &i) { i.vBCSTRet = 100; }, "60", "ICMS60: orig CST vBCSTRet pST vICMSSTRet"),
        cst(sti60, v4, [](TICMS &i) { i.pFCPSTRet = 1; }, "60", "ICMS60: orig CST " + kFCPSTRet),
        cst(sti60, v4, [](TICMS &i) { i.vICMSEfet = 1; }, "60", "ICMS60: orig CST " + kEfet),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST " + kRetido400).com938(fgtSempre),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST " + kRetido400).com938(fgtSomenteHomologacao, taHomologacao),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST").com938(fgtSomenteHomologacao, taProducao),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST " + kRetido400).com938(fgtSomenteProducao, taProducao),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST").com938(fgtSomenteProducao, taHomologacao),
        cst(sti60, v31, zerados, "60", "ICMS60: orig CST vBCSTRet vICMSSTRet").com938(fgtSempre, taHomologacao),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST " + kEfet).com906(fgtSempre, icf1),
        cst(sti60, v4, zerados, "60", "ICMS60: orig CST").com906(fgtSempre, icf0),
        cst(sti60, v31, zerados, "60", "ICMS60: orig CST").com906(fgtSempre, icf1),
        cst(sti41Rep, v4, zerados, "41", "ICMSST: orig CST vBCSTRet vICMSSTRet vBCSTDest vICMSSTDest"),
        cst(sti41Rep, v4, zerados, "41", "ICMSST: orig CST " + kRetido400 + " vBCSTDest vICMSSTDest")
            .com938(fgtSempre, taHomologacao),
        cst(sti60Rep, v4, zerados, "60", "ICMSST: orig CST vBCSTRet vICMSSTRet vBCSTDest vICMSSTDest " + kEfet)
            .com906(fgtSomenteProducao, icf1),
        cst(sti70, v4, zerados, "70", "ICMS70: orig CST modBC pRedBC vBC pICMS vICMS " + kSTZerado),
        cst(sti90, v4, zerados, "90", "ICMS90: orig CST"),
        cst(sti90, v4, [](TICMS &i) { i.vBC = -10; i.vICMSST = 1; }, "90", "ICMS90: orig CST " + kSTZerado),
        cst(sti90, v4, [](TICMS &i) { i.vICMS = 1; i.vFCPST = 1; }, "90",
            "ICMS90: orig CST modBC vBC pICMS vICMS vFCPST"),
        cst(sti90Part, v4, zerados, "90", "ICMSPart: orig CST"),

        // ---- CSOSN, every amount filled ----
        csosn(ssn101, v4, cheios, "101", "ICMSSN101: orig CSOSN pCredSN vCredICMSSN"),
        csosn(ssn101, v31, cheios, "101", "ICMSSN101: orig CSOSN pCredSN vCredICMSSN"),
        csosn(ssn101, v2, cheios, "101", "ICMSSN101: orig CSOSN pCredSN vCredICMSSN"),
        csosn(ssn102, v4, cheios, "102", "ICMSSN102: orig CSOSN"),
        csosn(ssn103, v31, cheios, "103", "ICMSSN102: orig CSOSN"),
        csosn(ssn300, v2, cheios, "300", "ICMSSN102: orig CSOSN"),
        csosn(ssn400, v4, cheios, "400", "ICMSSN102: orig CSOSN"),
        csosn(ssn201, v4, cheios, "201", "ICMSSN201: orig CSOSN " + kST + " " + kFCPST + " pCredSN vCredICMSSN"),
        csosn(ssn201, v31, cheios, "201", "ICMSSN201: orig CSOSN " + kST + " pCredSN vCredICMSSN"),
        csosn(ssn201, v2, cheios, "201", "ICMSSN201: orig CSOSN " + kST + " pCredSN vCredICMSSN"),
        csosn(ssn202, v4, cheios, "202", "ICMSSN202: orig CSOSN " + kST + " " + kFCPST),
        csosn(ssn203, v31, cheios, "203", "ICMSSN202: orig CSOSN " + kST),
        csosn(ssn202, v2, cheios, "202", "ICMSSN202: orig CSOSN " + kST),
        csosn(ssn500, v4, cheios, "500", "ICMSSN500: orig CSOSN " + kRetido400 + " " + kFCPSTRet + " " + kEfet),
        csosn(ssn500, v31, cheios, "500", "ICMSSN500: orig CSOSN vBCSTRet vICMSSTRet"),
        csosn(ssn500, v2, cheios, "500", "ICMSSN500: orig CSOSN vBCSTRet vICMSSTRet"),
        csosn(ssn900, v4, cheios, "900",
              "ICMSSN900: orig CSOSN modBC vBC pRedBC pICMS vICMS " + kST + " " + kFCPST + " pCredSN vCredICMSSN"),
        csosn(ssn900, v31, cheios, "900",
              "ICMSSN900: orig CSOSN modBC vBC pRedBC pICMS vICMS " + kST + " pCredSN vCredICMSSN"),
        csosn(ssn900, v2, cheios, "900",
              "ICMSSN900: orig CSOSN modBC vBC pRedBC pICMS vICMS " + kST + " pCredSN vCredICMSSN"),
        csosn(ssnVazio, v4, cheios, "", "ICMSSN: orig CSOSN"),

        // ---- CSOSN, amounts at zero or chosen ----
        csosn(ssn101, v4, zerados, "101", "ICMSSN101: orig CSOSN pCredSN vCredICMSSN"),
        csosn(ssn201, v4, zerados, "201", "ICMSSN201: orig CSOSN " + kSTZerado + " pCredSN vCredICMSSN"),
        csosn(ssn500, v4, zerados, "500", "ICMSSN500: orig CSOSN"),
        csosn(ssn500, v4, zerados, "500", "ICMSSN500: orig CSOSN " + kRetido400).com938(fgtSempre),
        csosn(ssn500, v2, zerados, "500", "ICMSSN500: orig CSOSN vBCSTRet vICMSSTRet").com938(fgtSempre),
        csosn(ssn500, v4, zerados, "500", "ICMSSN500: orig CSOSN " + kEfet).com906(fgtSempre, icf1),
        csosn(ssn900, v4, zerados, "900", "ICMSSN900: orig CSOSN"),
        csosn(ssn900, v4, [](TICMS &i) { i.vBC = 10; }, "900", "ICMSSN900: orig CSOSN modBC vBC pICMS vICMS"),
    };

    // The regime decides the family, whatever the other field holds.
    CasoICMS regimeNormal = cst(sti00, v4, zerados, "00", "ICMS00: orig CST modBC vBC pICMS vICMS");
    regimeNormal.csosn = ssn101;
    regimeNormal.crt = crt2;
    regimeNormal.nome += " crt2 com CSOSN";
    casos.push_back(regimeNormal);
    CasoICMS simples = csosn(ssn102, v4, zerados, "102", "ICMSSN102: orig CSOSN");
    simples.cst = sti90;
    simples.nome += " crt1 com CST";
    casos.push_back(simples);
    return casos;
}

TEST_F(NFeWriterICMS, WritesTheInnerGroupOfEverySituationAtEveryLayout)
{
    for (const CasoICMS &caso : casosICMS()) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe;
        testsupport::fillNoteWithoutItems(nfe, 55, caso.versao);
        nfe.emit.CRT = caso.crt;
        nfe.ide.tpAmb = caso.ambiente;
        nfe.ide.indFinal = caso.indFinal;
        TICMS &icms = testsupport::addGoodsItem(nfe).imposto.ICMS;
        icms = TICMS{};
        icms.orig = opr2;
        icms.CST = caso.cst;
        icms.CSOSN = caso.csosn;
        caso.preenche(icms);

        const NotaEscrita nota = escreveNota(nfe, [&](TNFeW &w) {
            w.Opcoes.ForcarGerarTagRejeicao938 = caso.forca938;
            w.Opcoes.ForcarGerarTagRejeicao906 = caso.forca906;
        });
        const XmlNode *grupo = nota.det().find("ICMS");
        ASSERT_NE(grupo, nullptr);
        ASSERT_EQ(grupo->children.size(), 1u) << grupo->childNames();
        const XmlNode &interno = *grupo->children.front();
        EXPECT_EQ(interno.name + ": " + interno.childNames(), caso.esperado);
        EXPECT_EQ(interno.childText("orig"), "2");
        EXPECT_EQ(interno.childText(caso.crt == crt1 ? "CSOSN" : "CST"), caso.codigo);
    }
}

// The XML of the single item's ICMS group of a 4.00 note (or the version given).
struct ICMSEscrito {
    NotaEscrita nota;
    const XmlNode *grupo = nullptr; // the inner group
};

ICMSEscrito escreveICMS(double versao, void (*preenche)(TICMS &), TForcarGeracaoTag forca938 = fgtNunca)
{
    TNFe nfe;
    testsupport::fillNoteWithoutItems(nfe, 55, versao);
    nfe.ide.tpAmb = taHomologacao;
    TICMS &icms = testsupport::addGoodsItem(nfe).imposto.ICMS;
    icms = TICMS{};
    preenche(icms);
    ICMSEscrito escrito;
    escrito.nota = escreveNota(nfe, [&](TNFeW &w) { w.Opcoes.ForcarGerarTagRejeicao938 = forca938; });
    const XmlNode *icmsNo = escrito.nota.det().find("ICMS");
    if (icmsNo != nullptr && !icmsNo->children.empty())
        escrito.grupo = icmsNo->children.front().get();
    return escrito;
}

TEST_F(NFeWriterICMS, PercentagesHaveFourDecimalsFromLayout310AndTwoBefore)
{
    const auto preenche = [](TICMS &i) {
        i.CST = sti00;
        i.vBC = 100;
        i.pICMS = 18;
        i.vICMS = 18;
    };
    for (const auto &[versao, esperado] : {std::pair{4.0, "18.0000"}, {3.1, "18.0000"}, {2.0, "18.00"}}) {
        SCOPED_TRACE(versao);
        const ICMSEscrito escrito = escreveICMS(versao, preenche);
        ASSERT_NE(escrito.grupo, nullptr);
        EXPECT_EQ(escrito.grupo->childText("pICMS"), esperado);
        EXPECT_EQ(escrito.grupo->childText("vBC"), "100.00");
        EXPECT_TRUE(escrito.nota.semAlertas) << escrito.nota.alertas.front();
    }
}

TEST_F(NFeWriterICMS, FcpOfCst00IsWrittenWithItsZeroAmount)
{
    const ICMSEscrito escrito = escreveICMS(4.0, [](TICMS &i) { i.pFCP = 2; });
    ASSERT_NE(escrito.grupo, nullptr);
    EXPECT_EQ(escrito.grupo->childText("pFCP"), "2.0000");
    EXPECT_EQ(escrito.grupo->childText("vFCP"), "0.00");
}

TEST_F(NFeWriterICMS, SomePercentagesKeepTwoDecimalsAtEveryLayout)
{
    // pRedBC of the partition from CST 10, pMVAST of CST 90.
    const ICMSEscrito particao = escreveICMS(4.0, [](TICMS &i) {
        i.CST = sti10Part;
        i.pRedBC = Decimal::fromUnits(125000);
        i.pMVAST = 40;
        i.UFST = "RJ";
    });
    ASSERT_NE(particao.grupo, nullptr);
    EXPECT_EQ(particao.grupo->childText("pRedBC"), "12.50");
    EXPECT_EQ(particao.grupo->childText("pMVAST"), "40.0000");
    EXPECT_EQ(particao.grupo->childText("UFST"), "RJ");
    EXPECT_EQ(particao.grupo->childText("pBCOp"), "0.0000");

    const ICMSEscrito outros = escreveICMS(4.0, [](TICMS &i) {
        i.CST = sti90;
        i.vBCST = 100;
        i.pMVAST = 40;
    });
    ASSERT_NE(outros.grupo, nullptr);
    EXPECT_EQ(outros.grupo->childText("pMVAST"), "40.00");
}

TEST_F(NFeWriterICMS, ForcedRetainedBlockIsWrittenWithZeros)
{
    const ICMSEscrito escrito = escreveICMS(
        4.0, [](TICMS &i) { i.CST = sti60; }, fgtSempre);
    ASSERT_NE(escrito.grupo, nullptr);
    EXPECT_EQ(escrito.grupo->childText("vBCSTRet"), "0.00");
    EXPECT_EQ(escrito.grupo->childText("pST"), "0.0000");
    EXPECT_EQ(escrito.grupo->childText("vICMSSubstituto"), "0.00");
    EXPECT_EQ(escrito.grupo->childText("vICMSSTRet"), "0.00");
    EXPECT_TRUE(escrito.nota.semAlertas);
}

TEST_F(NFeWriterICMS, ExemptionBefore310WritesOneCharacterReason)
{
    const ICMSEscrito escrito = escreveICMS(2.0, [](TICMS &i) {
        i.CST = sti40;
        i.vICMS = 5;
        i.motDesICMS = mdi7;
    });
    ASSERT_NE(escrito.grupo, nullptr);
    EXPECT_EQ(escrito.grupo->childText("vICMS"), "5.00");
    EXPECT_EQ(escrito.grupo->childText("motDesICMS"), "7");

    // A two-character reason does not fit the element before 3.10.
    const ICMSEscrito longo = escreveICMS(2.0, [](TICMS &i) {
        i.CST = sti40;
        i.vICMS = 5;
        i.motDesICMS = mdi10;
    });
    EXPECT_EQ(longo.nota.alertasCom("ID:N28/motDesICMS").size(), 1u);
}

TEST_F(NFeWriterICMS, MissingCodesRaiseAlertsWithTheGroupIds)
{
    const ICMSEscrito semCST = escreveICMS(4.0, [](TICMS &i) { i.CST = stiVazio; });
    ASSERT_NE(semCST.grupo, nullptr);
    EXPECT_EQ(semCST.grupo->name, "ICMS");
    const std::vector<std::string> alerta = semCST.nota.alertasCom("ID:N12/CST");
    ASSERT_EQ(alerta.size(), 1u);
    EXPECT_NE(alerta.front().find("Nenhum valor informado"), std::string::npos);

    // The exemption of CST 40 from 3.10 uses the ids N13a and N13b.
    const ICMSEscrito desonerado = escreveICMS(4.0, [](TICMS &i) {
        i.CST = sti40;
        i.vICMSDeson = 3;
        i.motDesICMS = mdiVazio;
    });
    EXPECT_EQ(desonerado.nota.alertasCom("ID:N13b/motDesICMS").size(), 1u);
    EXPECT_EQ(desonerado.nota.alertas.size(), 1u);
}

} // namespace
