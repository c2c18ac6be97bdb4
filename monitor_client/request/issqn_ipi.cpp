// The item's [ISSQN] (service items, both regimes) and [IPI] groups.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"

void TfrmNFE_2G::escreveIssqn(const LinhaItem &item)
{
    if (!(item.iss_aliq > 0))
        return;
    const double vIss = Arredonda(item.iss_aliq * item.iss_vbc / 100, 2);
    secaoImposto(6, "ISSQN");
    linhaImposto(8, "vbc", duasCasas(item.iss_vbc));
    linhaImposto(8, "valiq", duasCasas(item.iss_aliq));
    linhaImposto(8, "vissqn", duasCasas(vIss));
    linhaImposto(8, "cmunfg", emitente("COD_MUN_EMI"));
    linhaImposto(8, "cListServ", textoReal(item.iss_clisTserv));
    linhaImposto(8, "csItTrib", "N");
    TotalServicos = Arredonda(TotalServicos + numeroDoCampo(item.sub_tot_pro, "sub_tot_pro"), 2);
    IssItem += vIss;
}

void TfrmNFE_2G::GeraIPI_Memo()
{
    const LinhaItem &item = itemAtual();
    const LinhaNota &nota = notaAtual();
    const std::string cst = ZerosEsquerda(item.cst_IPI, 2);
    const auto naoTributado = [&] {
        secaoImposto(10, "IPINT");
        linhaImposto(12, "cst", cst);
    };
    if (item.ipi_vlr > 0 || upperAscii(nota.desc_porc_senar) == "IPI_IS") {
        secaoImposto(6, "IPI");
        linhaImposto(8, "cenq", "999");
        if (item.cst_IPI == 0 || item.cst_IPI == 49 || item.cst_IPI == 50 || item.cst_IPI == 99) {
            secaoImposto(10, "IPITRIB");
            linhaImposto(12, "cst", cst);
            linhaImposto(12, "vbc", FtDc(item.sub_tot_pro, "00"));
            linhaImposto(12, "pipi", duasCasas(item.ipi_aliq));
            linhaImposto(12, "vipi", duasCasas(item.ipi_vlr));
            IpiItem = Arredonda(IpiItem + item.ipi_vlr, 2);
        } else {
            naoTributado();
        }
    } else if (nota.desc_senar == "IE") {
        secaoImposto(6, "IPI");
        linhaImposto(8, "cenq", "999");
        naoTributado();
    }
}
