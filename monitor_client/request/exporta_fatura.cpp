// The export section [exporta] and the instalments [dup] that close the
// note-level part of the document.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"

bool TfrmNFE_2G::TemParcela(std::string_view nota) const
{
    for (const LinhaFatura &parcela : tabelas_.tblFatura.linhas())
        if (std::to_string(parcela.nota) == nota)
            return true;
    return false;
}

void TfrmNFE_2G::GeraExporta()
{
    const LinhaNota &nota = notaAtual();
    if (!destinatarioEstrangeiro() || nota.cnpj_ent.empty())
        return;
    escreve(Sp(0, "") + "[exporta]");
    escreve(4, "ufEmbarq", nota.uf_ent);
    escreve(4, "xlocEmbarq", ChrEsp(nota.end_ent));
}

void TfrmNFE_2G::GeraFatura()
{
    for (const LinhaFatura *parcela : tabelas_.tblFatura.daNota(notaAtual().nota)) {
        escreve(Sp(0, "") + "[dup]");
        escreve(4, "ndup", parcela->nro_fat);
        escreve(4, "dvenc", AjData(parcela->data));
        escreve(4, "vdup", FtDc(textoReal(parcela->valor_fat), "00"));
    }
    escreve("");
    escreve("--");
}
