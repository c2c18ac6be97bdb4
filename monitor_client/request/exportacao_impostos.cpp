// The TXT-layout export's item tax records: the ICMS group N with its
// sub-record by CST (normal regime) or CSOSN (Simples), the ISSQN record U,
// the IPI records O and the PIS and COFINS records Q and S. The cases the
// layout has records for but that carry no rule of their own (CST 70, CSOSN
// 900, the quantity kinds of PIS and COFINS) are written with the values
// the rules of the other cases give, so no item leaves without its tax.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "monitor_client/request/detail/codigo_situacao.h"
#include "monitor_client/request/detail/registro_txt.h"

#include <charconv>

namespace {

double round2(double valor)
{
    return Arredonda(valor, 2);
}

} // namespace

void TfrmNFE_2G::calculaCotaTxt(const LinhaItem &)
{
    AliquotaCota = BaseCota = IcmsCota = 0;
    const std::string digitos = SomenteNumeros(notaAtual().desc_porc_cota);
    double numero = 0;
    std::from_chars(digitos.data(), digitos.data() + digitos.size(), numero);
    if (numero > 0) {
        AliquotaCota = numero / 100;
        // The discount does not lower the expense base here.
        BaseCota = round2(FreteItem + SeguroItem + OutrasItem);
        IcmsCota = round2(BaseCota * AliquotaCota / 100);
        if (!(IcmsCota > 0))
            AliquotaCota = 0;
    }
}

void TfrmNFE_2G::GeraICMS_ISS_File_Sefaz_RN()
{
    const LinhaItem &item = itemAtual();
    const auto [orig, cst] = codigoSituacao(item.st_pro, 3);
    calculaCotaTxt(item);
    const bool emVigor = AliquotaCota > 0;
    const std::string picms = FtDc(item.icm_pro, "00");
    // BC, VI, R and VST of the normal regime.
    const auto valorIcms = [&] {
        return round2(item.bc_icms * numeroDoCampo(item.icm_pro, "icm_pro") / 100);
    };
    const auto base = [&] { return duasCasas(item.bc_icms + (emVigor ? BaseCota : 0)); };
    const auto icms = [&] { return duasCasas(valorIcms() + (emVigor ? IcmsCota : 0)); };
    const auto taxaSt = [&] {
        return item.icm_pro_st > 0 ? item.icm_pro_st : numeroDoCampo(item.icm_pro, "icm_pro");
    };
    const auto valorSt = [&] {
        return item.vlr_icms_St > 0 ? item.vlr_icms_St : round2(item.bc_icms_s * taxaSt() / 100);
    };
    const auto despesas = [&] {
        return registroTxt("N10", {orig, "90", "3", "", duasCasas(BaseCota), picms, duasCasas(IcmsCota), "",
                                   "", "", "", "", ""});
    };

    Exportacao.push_back("N|");
    switch (cst) {
    case 0:
        Exportacao.push_back(registroTxt("N02", {orig, "00", "3", base(), picms, icms()}));
        break;
    case 10:
        Exportacao.push_back(registroTxt(
            "N03", {orig, "10", "3", base(), picms, icms(), "4", duasCasas(item.perc_adc_icms_subts), "",
                    duasCasas(item.bc_icms_s), duasCasas(taxaSt()), duasCasas(valorSt())}));
        break;
    case 20:
        Exportacao.push_back(
            registroTxt("N04", {orig, "20", "3", duasCasas(item.perc_red_icms), base(), picms, icms()}));
        break;
    case 30:
        if (emVigor)
            Exportacao.push_back(
                registroTxt("N03", {orig, "10", "3", duasCasas(BaseCota), picms, duasCasas(IcmsCota), "4",
                                    duasCasas(item.perc_adc_icms_subts), "", duasCasas(item.bc_icms_s),
                                    duasCasas(taxaSt()), duasCasas(valorSt())}));
        else
            Exportacao.push_back(
                registroTxt("N05", {orig, "30", "4", duasCasas(item.perc_adc_icms_subts), "",
                                    duasCasas(item.bc_icms_s), duasCasas(taxaSt()), duasCasas(valorSt())}));
        break;
    case 40:
    case 41:
    case 50:
        Exportacao.push_back(emVigor ? despesas()
                                     : registroTxt("N06", {orig, ZerosEsquerda(cst, 2), "", ""}));
        break;
    case 51:
        Exportacao.push_back(emVigor ? despesas() : registroTxt("N07", {orig, "51", "", "", "", "", ""}));
        break;
    case 60:
        Exportacao.push_back(emVigor
                                 ? despesas()
                                 : registroTxt("N08", {orig, "60", duasCasas(item.bc_icms_s),
                                                       duasCasas(round2(item.bc_icms_s * taxaSt() / 100))}));
        break;
    case 70:
        Exportacao.push_back(
            registroTxt("N09", {orig, "70", "3", duasCasas(item.perc_red_icms), base(), picms, icms(), "4",
                                duasCasas(item.perc_adc_icms_subts), "", duasCasas(item.bc_icms_s),
                                duasCasas(taxaSt()), duasCasas(valorSt())}));
        break;
    case 90: {
        std::string vbc, picms90, vicms;
        if (emVigor) {
            vbc = duasCasas(item.bc_icms + BaseCota);
            picms90 = picms;
            vicms = duasCasas(item.Aliq_Cred_Icms + IcmsCota);
        } else if (item.bc_icms > 0) {
            vbc = duasCasas(item.bc_icms);
            picms90 = picms;
            vicms = duasCasas(item.Aliq_Cred_Icms);
        }
        if (item.bc_icms_s > 0)
            Exportacao.push_back(registroTxt(
                "N10", {orig, "90", "3", "", vbc, picms90, vicms, item.cf_pro == "T" ? "5" : "4",
                        duasCasas(item.perc_adc_icms_subts), "", duasCasas(item.bc_icms_s),
                        duasCasas(item.icm_pro_st),
                        duasCasas(item.vlr_icms_St > 0 ? item.vlr_icms_St
                                                       : round2(item.icm_pro_st * item.bc_icms_s / 100))}));
        else
            Exportacao.push_back(
                registroTxt("N10", {orig, "90", "3", "", vbc, picms90, vicms, "", "", "", "", "", ""}));
        break;
    }
    default:
        break;
    }
    escreveIssqnTxt(item);
}

void TfrmNFE_2G::GeraICMS_ISS_File_Sefaz_Simples()
{
    const LinhaItem &item = itemAtual();
    const auto [orig, csosn] = codigoSituacao(item.st_pro, 4);
    const std::string codigo = ZerosEsquerda(csosn, 3);
    const auto credito = [&] {
        return duasCasas(round2(item.Aliq_Cred_Icms * numeroDoCampo(item.sub_tot_pro, "sub_tot_pro") / 100));
    };
    const auto valorSt = [&] {
        return duasCasas(round2(numeroDoCampo(item.icm_pro, "icm_pro") * item.bc_icms_s / 100));
    };
    const std::string picms = FtDc(item.icm_pro, "00");

    Exportacao.push_back("N|");
    switch (csosn) {
    case 101:
        Exportacao.push_back(registroTxt("N10c", {orig, "101", duasCasas(item.Aliq_Cred_Icms), credito()}));
        break;
    case 102:
    case 103:
    case 300:
    case 400:
        Exportacao.push_back(registroTxt("N10d", {orig, codigo}));
        break;
    case 201:
        Exportacao.push_back(registroTxt("N10e", {orig, "201", "4", duasCasas(item.perc_adc_icms_subts), "",
                                                  duasCasas(item.bc_icms_s), picms, valorSt(),
                                                  duasCasas(item.Aliq_Cred_Icms), credito()}));
        break;
    case 202:
    case 203:
        Exportacao.push_back(registroTxt("N10f", {orig, codigo, "4", duasCasas(item.perc_adc_icms_subts), "",
                                                  duasCasas(item.bc_icms_s), picms, valorSt()}));
        break;
    case 500:
        Exportacao.push_back(registroTxt("N10g", {orig, "500", "", duasCasas(item.bc_icms_s), valorSt()}));
        break;
    case 900: {
        // BC, VI, R and VST as the normal regime computes them.
        const double aliquota = numeroDoCampo(item.icm_pro, "icm_pro");
        const double taxaSt = item.icm_pro_st > 0 ? item.icm_pro_st : aliquota;
        const double vst = item.vlr_icms_St > 0 ? item.vlr_icms_St : round2(item.bc_icms_s * taxaSt / 100);
        Exportacao.push_back(registroTxt(
            "N10h", {orig, "900", "3", duasCasas(item.bc_icms), duasCasas(item.perc_red_icms), picms,
                     duasCasas(round2(item.bc_icms * aliquota / 100)), "4",
                     duasCasas(item.perc_adc_icms_subts), "", duasCasas(item.bc_icms_s), duasCasas(taxaSt),
                     duasCasas(vst), duasCasas(item.Aliq_Cred_Icms), credito()}));
        break;
    }
    default:
        break;
    }
    escreveIssqnTxt(item);
}

void TfrmNFE_2G::escreveIssqnTxt(const LinhaItem &item)
{
    if (!(item.iss_aliq > 0))
        return;
    Exportacao.push_back(registroTxt("U", {duasCasas(item.iss_vbc), duasCasas(item.iss_aliq),
                                           duasCasas(round2(item.iss_aliq * item.iss_vbc / 100)),
                                           emitente("COD_MUN_EMI"), textoReal(item.iss_clisTserv), "N"}));
}

void TfrmNFE_2G::GeraIPI_File_Sefaz()
{
    const LinhaItem &item = itemAtual();
    if (!(item.ipi_vlr > 0))
        return;
    Exportacao.push_back("O|||||999|");
    const std::string cst = ZerosEsquerda(item.cst_IPI, 2);
    if (item.cst_IPI == 0 || item.cst_IPI == 49 || item.cst_IPI == 50 || item.cst_IPI == 99) {
        Exportacao.push_back(registroTxt("O07", {cst, duasCasas(item.ipi_vlr)}));
        Exportacao.push_back(registroTxt("O10", {FtDc(item.sub_tot_pro, "00"), duasCasas(item.ipi_aliq)}));
    } else {
        Exportacao.push_back(registroTxt("O08", {cst}));
    }
}

void TfrmNFE_2G::escreveContribuicaoTxt(const ContribuicaoTxt &c)
{
    const std::string tipo = upperAscii(c.tipo);
    const std::string prefixo(c.prefixo);
    const std::string cst = ZerosEsquerda(c.cst, 2);
    const double valor = round2(c.taxa * c.base / 100);
    Exportacao.push_back(std::string(c.registro) + "|");
    if (tipo == prefixo + "ALIQ") {
        Exportacao.push_back(registroTxt(std::string(c.registro) + "02",
                                         {cst, duasCasas(c.base), duasCasas(c.taxa), duasCasas(valor)}));
    } else if (tipo == prefixo + "QTDE") {
        Exportacao.push_back(
            registroTxt(std::string(c.registro) + "03",
                        {cst, FtDc(textoReal(c.quantidade), "0000"), FtDc(textoReal(c.valorUnidade), "0000"),
                         duasCasas(round2(c.valorUnidade * c.quantidade))}));
    } else if (tipo == prefixo + "NT") {
        Exportacao.push_back(registroTxt(std::string(c.registro) + "04", {cst}));
    } else if (tipo == prefixo + "OUTR") {
        Exportacao.push_back(registroTxt(std::string(c.registro) + "05", {cst, duasCasas(valor)}));
        Exportacao.push_back(
            registroTxt(std::string(c.registro) + "07", {duasCasas(c.base), duasCasas(c.taxa)}));
    } else {
        Exportacao.push_back(std::string(c.registro) + "04|07|");
    }
}

void TfrmNFE_2G::GeraPis_File_Sefaz()
{
    const LinhaItem &item = itemAtual();
    escreveContribuicaoTxt({"Q", "PIS", item.tipo_pis, item.pis_cst, item.pis_vbc, item.pis_ppis,
                            item.pis_qtdvnd, item.pis_aliq_real});
}

void TfrmNFE_2G::GeraCofins_File_Sefaz()
{
    const LinhaItem &item = itemAtual();
    escreveContribuicaoTxt({"S", "COFINS", item.tipo_cofins, static_cast<int>(item.cofins_cst),
                            item.cofins_vbc, item.cofins_aliq, item.cofins_qtdvnd, item.cofins_aliq_real});
}
