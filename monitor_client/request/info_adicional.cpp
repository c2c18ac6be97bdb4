// The additional information section [infadic]: the approximate taxes, the
// observations and the delivery place as one text.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"

void TfrmNFE_2G::GeraInfoADC()
{
    try {
        const LinhaNota &nota = notaAtual();
        std::string tributos;
        if (vigeTributosAproximados())
            tributos = "Valor aproximado dos tributos: R$ " + FtDc(textoReal(TotalTributos), "00") +
                       " ( fonte IBPT )";

        std::string entrega;
        if (!nota.cnpj_ent.empty())
            entrega = " | Local Entrega: " + nota.nom_end_entrega + " Cnpj: " + nota.cnpj_ent +
                      " /  Endereco: " + nota.end_ent + "|" + "  Bairro: " + nota.bai_ent +
                      " /  Cidade: " + nota.cid_ent + " / UF: " + nota.uf_ent + " / CEP: " + nota.cep_ent;

        std::string observacoes;
        if (nota.obs_Geral.empty()) {
            int preenchidas = 0;
            for (const std::string *campo :
                 {&nota.da_obs1, &nota.da_obs2, &nota.da_obs3, &nota.da_obs4, &nota.da_obs5, &nota.da_obs6,
                  &nota.da_obs7, &nota.da_obs8, &nota.da_obs9, &nota.da_obs10, &nota.da_obs11, &nota.da_obs12,
                  &nota.da_obs13, &nota.da_obs14}) {
                if (campo->empty())
                    continue;
                observacoes += *campo + "   ";
                if (++preenchidas % 2 == 0)
                    observacoes += " | ";
            }
            std::string corpo;
            int linhas = 0;
            for (const LinhaObsCorpo *linha : tabelas_.tblObsCorpo.daNota(nota.nota)) {
                corpo += " " + linha->observacao;
                if (++linhas % 2 == 0)
                    corpo += " | ";
            }
            std::string texto = tributos + " | " + ChrEsp(observacoes) + " | " + ChrEsp(entrega);
            if (!corpo.empty())
                texto += " | " + ChrEsp(corpo);
            escreve(Sp(0, "") + "[infadic]");
            escreve(4, "infcpl", texto);
            return;
        }
        std::string linha;
        for (std::size_t i = 0; i <= nota.obs_Geral.size(); ++i) {
            const char c = i < nota.obs_Geral.size() ? nota.obs_Geral[i] : '\n';
            if (c != '\r' && c != '\n') {
                linha += c;
                continue;
            }
            if (!linha.empty())
                observacoes += linha + " | ";
            linha.clear();
        }
        if (!observacoes.empty() || !entrega.empty()) {
            escreve(Sp(0, "") + "[infadic]");
            escreve(4, "infcpl", tributos + " | " + ChrEsp(observacoes) + " | " + ChrEsp(entrega));
        }
    } catch (const ProgramError &erro) {
        dialogos().mensagem(erro.what(), "Informações adicionais");
    }
}
