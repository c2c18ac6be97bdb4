// The transport sections: [transp], [transporta], [Veictransp] and the
// volume groups [Vol].

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/utf8.h"

namespace {

bool numeroAcimaDeZero(std::string_view texto)
{
    return SomenteNumeros(texto).find_first_not_of('0') != std::string::npos;
}

std::string modalidadeFrete(std::string_view pagador)
{
    if (pagador == "1")
        return "0";
    if (pagador == "2")
        return "1";
    if (pagador == "3")
        return "2";
    return "9";
}

// A volume group as the note or a volume row holds it.
struct Volume {
    std::string_view quantidade, especie, marca, numeracao, pesoLiquido, pesoBruto, lacre;
};

} // namespace

void TfrmNFE_2G::GeraTransportadorVolumes()
{
    const LinhaNota &nota = notaAtual();
    escreve(Sp(0, "") + "[transp]");
    escreve(4, "modfrete", modalidadeFrete(nota.t_fre_ct_not));

    escreve(Sp(0, "") + "[transporta]");
    escreveDocumento(4, nota.t_cnpj_not);
    escreve(4, "xnome", ChrEsp(nota.t_nom_not));
    escreve(4, "ie", SomenteNumeros(nota.t_ie_not));
    escreve(4, "xEnder", ChrEsp(nota.t_end_not));
    escreve(4, "xmun", ChrEsp(nota.t_mun_not));
    escreve(4, "uf", nota.t_uf_mun_not);

    const std::string semEspaco = RemoveCaractere(nota.t_pla_vei_not, " ");
    const std::string placa = std::string(utf8Prefix(semEspaco, 3)) + SomenteNumeros(semEspaco);
    const bool pagadorConhecido =
        nota.t_fre_ct_not == "1" || nota.t_fre_ct_not == "2" || nota.t_fre_ct_not == "3";
    if (!nota.t_pla_vei_not.empty() && utf8Length(placa) == 7 && pagadorConhecido) {
        escreve(Sp(0, "") + "[Veictransp]");
        escreve(4, "placa", placa);
        escreve(4, "uf", nota.t_uf_vei_not.empty() ? emitente("UF_EMI") : nota.t_uf_vei_not);
        escreve(4, "rntc", nota.t_rntc);
    }

    const auto escreveVolume = [&](const Volume &volume) {
        escreve(Sp(0, "") + "[Vol]");
        escreve(4, "qvol", numeroAcimaDeZero(volume.quantidade) ? std::string(volume.quantidade) : "1");
        escreve(4, "esp", ChrEsp(volume.especie));
        escreve(4, "marca", ChrEsp(volume.marca));
        escreve(4, "nvol", ChrEsp(volume.numeracao));
        escreve(4, "pesol", FtDc(volume.pesoLiquido, "000"));
        escreve(4, "pesob", FtDc(volume.pesoBruto, "000"));
        escreve(4, "nlacre", ChrEsp(volume.lacre));
    };
    const auto semPeso = [](const Volume &volume) {
        return !numeroAcimaDeZero(volume.quantidade) && volume.especie.empty() && volume.marca.empty() &&
               !numeroAcimaDeZero(volume.pesoLiquido) && !numeroAcimaDeZero(volume.pesoBruto);
    };

    const auto volumes = tabelas_.tblVolumes.daNota(nota.nota);
    for (const LinhaVolume *linha : volumes) {
        const Volume volume{linha->qVol,  linha->esp,   linha->marca, linha->nvol,
                            linha->pesoL, linha->pesoB, linha->nLacre};
        if (!(semPeso(volume) && volume.numeracao.empty()))
            escreveVolume(volume);
    }
    if (volumes.empty()) {
        const Volume volume{nota.t_qtd_not,
                            nota.t_esp_not,
                            nota.t_marca_not,
                            nota.t_num_not,
                            nota.t_pes_liq_not,
                            nota.t_pes_bru_not,
                            {}};
        if (!(semPeso(volume) && !numeroAcimaDeZero(volume.numeracao)))
            escreveVolume(volume);
    }
}
