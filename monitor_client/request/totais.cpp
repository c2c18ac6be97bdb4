// The totals sections: [ICMStot] and, for notes with services, [ISSQNTOT].

#include "monitor_client/frm_nfe_2g.h"

void TfrmNFE_2G::GeraICMSTotal_com_VtotTrib()
{
    const LinhaNota &nota = notaAtual();
    const auto valor = [&](int indent, std::string_view chave, std::string_view texto) {
        escreve(indent, chave, FtDc(texto, "00"));
    };
    // A note amount less what the items set apart, as a real text.
    const auto menos = [](std::string_view texto, std::string_view campo, double deduzir) {
        return textoReal(valorReal(texto, campo) - deduzir);
    };
    escreve(Sp(0, "") + "[ICMStot]");
    valor(4, "vbc",
          BaseIcmsDeduzir != 0 ? menos(nota.base_icm_not, "base_icm_not", BaseIcmsDeduzir)
                               : nota.base_icm_not);
    valor(4, "vicms",
          BaseIcmsDeduzir != 0 ? menos(nota.vlr_icm_not, "vlr_icm_not", IcmsDeduzir) : nota.vlr_icm_not);
    valor(4, "vbcst", nota.base_icm_s_not);
    valor(4, "vst", nota.vlr_imc_s_not);
    valor(4, "vprod",
          TotalServicos > 0 ? menos(nota.vlr_tot_pro_not, "vlr_tot_pro_not", TotalServicos)
                            : nota.vlr_tot_pro_not);
    valor(4, "vfrete", nota.vlr_fre_not);
    valor(4, "vseg", nota.vlr_seg_not);
    valor(4, "vdesc", nota.vlr_desc_not);
    valor(4, "vii", nota.desc_senar == "IE" ? nota.desc_comerc : "0.00");
    valor(4, "vipi", nota.vlr_ipi_not);
    valor(4, "vpis", textoReal(TotalPis));
    valor(4, "vcofins", textoReal(TotalCofins));
    valor(4, "voutro", nota.vlr_out_not);
    valor(4, "vnf", nota.vlr_total_not);
    if (vigeTributosAproximados())
        valor(4, "vtottrib", textoReal(TotalTributos));

    if (TotalServicos > 0) {
        escreve(Sp(0, "") + "[ISSQNTOT]");
        valor(4, "vServ", textoReal(TotalServicos));
        valor(4, "vbc", textoReal(TotalServicos));
        valor(4, "viss", textoReal(TotalIss));
        if (PisServicoItem > 0)
            valor(4, "vpis", textoReal(TotalPisServicos));
        if (CofinsServicoItem > 0)
            valor(4, "vcofins", textoReal(TotalCofinsServicos));
    }
}
