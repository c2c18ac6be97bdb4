// The ICMS group of a goods item under the Simples Nacional regime, chosen
// by its CSOSN; then the item's [ISSQN].

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "monitor_client/request/detail/codigo_situacao.h"

void TfrmNFE_2G::GeraICMS_ISS_Simples_Memo()
{
    const LinhaItem &item = itemAtual();
    const auto [origem, csosn] = codigoSituacao(item.st_pro, 4);
    const auto linha = [this](std::string_view chave, std::string_view valor) {
        linhaImposto(8, chave, valor);
    };
    const auto cabecalho = [&](std::string_view secao) {
        secaoImposto(6, secao);
        linha("orig", origem);
        linha("csosn", ZerosEsquerda(csosn, 3));
    };
    // The Simples credit over the item total.
    const auto credito = [&] {
        const double vCred =
            Arredonda(item.Aliq_Cred_Icms * numeroDoCampo(item.sub_tot_pro, "sub_tot_pro") / 100, 2);
        linha("pCredsn", duasCasas(item.Aliq_Cred_Icms));
        linha("vCredIcmssn", duasCasas(vCred));
        IcmsItem += vCred;
    };

    if (item.iss_aliq == 0) {
        switch (csosn) {
        case 101:
            cabecalho("ICMSSN101");
            credito();
            break;
        case 102:
        case 103:
        case 300:
        case 400:
            cabecalho("ICMSSN102");
            break;
        case 201:
            cabecalho("ICMSSN201");
            escreveLinhasSt(item, TaxaSt::PropriaOuIcms);
            credito();
            break;
        case 202:
        case 203:
            cabecalho("ICMSSN202");
            escreveLinhasSt(item, TaxaSt::PropriaOuIcms);
            break;
        case 500: {
            cabecalho("ICMSSN500");
            linha("vbcstret", duasCasas(item.bc_icms_s));
            const double aliquota =
                item.icm_pro_st > 0 ? item.icm_pro_st : numeroDoCampo(item.icm_pro, "icm_pro");
            linha("vicmsstret", duasCasas(Arredonda(item.bc_icms_s * aliquota / 100, 2)));
            break;
        }
        case 900:
            cabecalho("ICMSSN900");
            if (item.bc_icms > 0)
                escreveIcmsProprio(item, item.bc_icms,
                                   Arredonda(numeroDoCampo(item.icm_pro, "icm_pro") * item.bc_icms / 100, 2));
            if (item.bc_icms_s > 0)
                escreveLinhasSt(item, TaxaSt::SomenteSt);
            break;
        default:
            break;
        }
    }
    escreveIssqn(item);
}
