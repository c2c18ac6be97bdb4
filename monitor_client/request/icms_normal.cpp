// The ICMS group of a goods item under the normal regime, chosen by its CST,
// with the ICMS of the note's accessory expenses (freight, insurance and
// other expenses less the discount) at the note's expense rate; then the
// item's [ISSQN].

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "monitor_client/request/detail/codigo_situacao.h"

#include <charconv>

namespace {

// The note's expense rate: the digits of `desc_porc_cota` with two implied
// decimals ("12,00" is 12).
double aliquotaDespesas(std::string_view texto)
{
    const std::string digitos = SomenteNumeros(texto);
    double numero = 0;
    std::from_chars(digitos.data(), digitos.data() + digitos.size(), numero);
    return numero / 100;
}

} // namespace

void TfrmNFE_2G::GeraICMS_ISS_RN_Memo()
{
    const LinhaItem &item = itemAtual();
    const auto [origem, cst] = codigoSituacao(item.st_pro, 3);

    AliquotaCota = BaseCota = IcmsCota = 0;
    if (const double aliquota = aliquotaDespesas(notaAtual().desc_porc_cota); aliquota > 0) {
        AliquotaCota = aliquota;
        BaseCota = Arredonda(FreteItem + SeguroItem + OutrasItem - DescontoItem, 2);
        IcmsCota = Arredonda(BaseCota * AliquotaCota / 100, 2);
        if (IcmsCota == 0)
            AliquotaCota = 0;
    }
    const bool emVigor = AliquotaCota > 0;
    const bool despesaPositiva = emVigor && IcmsCota > 0;

    const auto linha = [this](std::string_view chave, std::string_view valor) {
        linhaImposto(8, chave, valor);
    };
    const auto cabecalho = [&](std::string_view secao, std::string_view codigo) {
        secaoImposto(6, secao);
        linha("orig", origem);
        linha("cst", codigo);
    };
    // The expense ICMS as a group of its own.
    const auto grupoDespesas = [&](std::string_view secao, std::string_view codigo) {
        cabecalho(secao, codigo);
        linha("modbc", "3");
        linha("vbc", duasCasas(BaseCota));
        linha("picms", duasCasas(AliquotaCota));
        linha("vicms", duasCasas(IcmsCota));
        IcmsItem += IcmsCota;
    };
    // An item that keeps its own group does not carry a negative expense
    // ICMS: the note's totals leave it out.
    const auto deduzDespesas = [&] {
        if (emVigor) {
            BaseIcmsDeduzir += BaseCota;
            IcmsDeduzir += IcmsCota;
        }
    };
    // Own ICMS lines: base and amount with the expense ICMS when in force.
    const auto icmsProprio = [&](bool reducao) {
        const double vi = Arredonda(item.bc_icms * numeroDoCampo(item.icm_pro, "icm_pro") / 100, 2) +
                          (emVigor ? IcmsCota : 0);
        escreveIcmsProprio(item, item.bc_icms + (emVigor ? BaseCota : 0), vi, reducao);
    };

    if (item.iss_aliq == 0) {
        switch (cst) {
        case 0:
        case 10:
        case 20:
            cabecalho(cst == 0 ? "ICMS00" : cst == 10 ? "ICMS10" : "ICMS20", ZerosEsquerda(cst, 2));
            icmsProprio(cst == 20);
            if (cst == 10)
                escreveLinhasSt(item, TaxaSt::PropriaOuIcms);
            break;
        case 30:
            if (despesaPositiva) {
                grupoDespesas("ICMS10", "10");
            } else {
                cabecalho("ICMS30", "30");
                deduzDespesas();
            }
            escreveLinhasSt(item, TaxaSt::PropriaOuIcms);
            break;
        case 40:
        case 41:
        case 50:
        case 51:
            if (despesaPositiva) {
                grupoDespesas("ICMS90", "90");
            } else {
                cabecalho(cst == 51 ? "ICMS51" : "ICMS40", ZerosEsquerda(cst, 2));
                deduzDespesas();
            }
            break;
        case 60:
            if (despesaPositiva) {
                grupoDespesas("ICMS90", "90");
            } else {
                cabecalho("ICMS60", "60");
                linha("vbcstret", duasCasas(item.bc_icms_s));
                const double aliquota =
                    item.icm_pro_st > 0 ? item.icm_pro_st : numeroDoCampo(item.icm_pro, "icm_pro");
                linha("vicmsstret", duasCasas(Arredonda(item.bc_icms_s * aliquota / 100, 2)));
                deduzDespesas();
            }
            break;
        case 70:
            cabecalho("ICMS70", "70");
            icmsProprio(true);
            escreveLinhasSt(item, TaxaSt::PropriaOuIcms, true);
            break;
        case 90: {
            cabecalho("ICMS90", "90");
            if (emVigor || item.bc_icms > 0)
                escreveIcmsProprio(item, item.bc_icms + (emVigor ? BaseCota : 0),
                                   item.Aliq_Cred_Icms + (emVigor ? IcmsCota : 0));
            if (item.bc_icms_s > 0)
                escreveLinhasSt(item, TaxaSt::SomenteSt);
            break;
        }
        case 98: {
            const std::string digitos = "0" + SomenteNumeros(item.adc1);
            int grupo = 0;
            std::from_chars(digitos.data(), digitos.data() + digitos.size(), grupo);
            if (grupo != 10 && grupo != 90)
                break;
            const std::string vicms = FtDc(item.adc2, "00");
            secaoImposto(6, grupo == 10 ? "ICMS10" : "ICMS90");
            linha("orig", "0");
            linha("modbc", "3");
            linha("cst", grupo == 10 ? "10" : "90");
            linha("vbc", duasCasas(item.bc_icms));
            linha("picms", FtDc(item.icm_pro, "00"));
            linha("vicms", vicms);
            IcmsItem += valorReal(vicms);
            if (grupo == 10 || item.perc_adc_icms_subts > 0 || item.bc_icms_s > 0 || item.icm_pro_st > 0 ||
                item.vlr_icms_St > 0) {
                linha("modbcST", "3");
                linha("pmvast", duasCasas(item.perc_adc_icms_subts));
                linha("vbcst", duasCasas(item.bc_icms_s));
                linha("picmsst", duasCasas(item.icm_pro_st));
                linha("vicmsst", duasCasas(item.vlr_icms_St));
                IcmsStItem += item.vlr_icms_St;
            }
            break;
        }
        case 99:
            secaoImposto(6, "ICMS90");
            linha("orig", "0");
            linha("cst", "90");
            linha("modbc", "3");
            linha("vbc", "0.00");
            linha("picms", "0.00");
            linha("vicms", duasCasas(item.bc_icms));
            IcmsItem += item.bc_icms;
            break;
        default:
            break;
        }
    }
    escreveIssqn(item);
}
