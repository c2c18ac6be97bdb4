// The import note's groups of every item: "[DI]", "[ADI]" and "[II]", from the
// item's import data lines ("NDI=", "LD=", "CEXP=", "CFAB="). A value the
// item's lines lack repeats the previous item's.

#include "monitor_client/frm_nfe_2g.h"

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "monitor_client/request/detail/lista_campos.h"

namespace {

// Characters `de` to `ate` (1-based, as many as there are) of the text.
std::string caracteres(std::string_view texto, std::size_t de, std::size_t ate)
{
    const auto inicio = utf8Offset(texto, de - 1);
    const auto fim = utf8Offset(texto, ate);
    return std::string(texto.substr(inicio, fim - inicio));
}

bool comeca(std::string_view campo, std::string_view prefixo)
{
    return upperAscii(utf8Prefix(campo, prefixo.size())) == prefixo;
}

} // namespace

void TfrmNFE_2G::escreveImportacao(const LinhaItem &item)
{
    DadosImportacao &d = importacao_;
    const int chave = notaAtual().nota * 1000 + item.nro_item;
    for (const LinhaObsCorpo *obs : tabelas_.tblObsCorpo.daNota(chave)) {
        const auto campos = camposDaLista(obs->observacao, 8);
        std::size_t i = 0;
        if (comeca(campos[0], "NDI=")) {
            d.ndi = caracteres(campos[0], 5, 14);
            d.ddi = caracteres(campos[1], 5, 14);
            d.dDesemb = caracteres(campos[2], 6, 15);
            d.nAdicao = caracteres(campos[3], 6, 15);
            d.nSeqAdic = caracteres(campos[4], 6, 15);
            i = 5;
        }
        if (comeca(campos[i], "LD=")) {
            d.xLocDesemb = caracteres(campos[i], 4, 63);
            d.ufDesemb = caracteres(campos[i + 1], 4, 5);
            i += 2;
        }
        if (comeca(campos[i], "CEXP="))
            d.cExportador = caracteres(campos[i], 6, 65);
        else if (i == 0 && comeca(campos[0], "CFAB="))
            d.cFabricante = caracteres(campos[0], 6, 65);
    }

    const auto secao = [this](std::string_view nome) {
        Writeln_memo(Sp(6, "") + "[" + std::string(nome) + "]");
    };
    const auto linha = [this](std::string_view nome, std::string_view valor) {
        Writeln_memo(Sp(8, nome) + std::string(valor));
    };
    secao("DI");
    linha("ndi", d.ndi);
    linha("ddi", AjData(dataDoCampo(d.ddi, "NDI=")));
    linha("xLocDesemb", d.xLocDesemb);
    linha("ufDesemb", d.ufDesemb);
    linha("dDesemb", AjData(dataDoCampo(d.dDesemb, "NDI=")));
    linha("cExportador", d.cExportador);
    secao("ADI");
    linha("nAdicao", d.nAdicao);
    linha("nSeqAdic", d.nSeqAdic);
    linha("cFabricante", d.cFabricante);
    secao("II");
    linha("vbc", FtDc(item.sub_tot_pro, "00"));
    linha("vDespAdu", FtDc(textoReal(item.vlr_desp_adu), "00"));
    linha("vII", FtDc(textoReal(item.vlr_ii), "00"));
    linha("vIOF", "0.00");
}
