#include "app/relatorios/matriz_impressora.h"

#include "app/funcoes/funcoes_kvl.h"
#include "app/relatorios/frm_rdp.h"

#include <string>

void ImprimeMatrizImpressora(TfrmRdp &rdp, int linhas, int linhasPorPolegada, int largura,
                             std::string_view titulo, bool visualizar)
{
    rdp.IniciaRelatorio(visualizar, linhasPorPolegada, largura, 1, linhas, titulo);
    for (int i = 1; i <= linhas; ++i) {
        const std::string numero = ZerosEsquerda(i, 2);
        for (int j = 1; j <= largura; ++j) {
            std::string caractere;
            if (j <= 2)
                caractere = numero.substr(static_cast<std::size_t>(j - 1), 1);
            else if (j == 3)
                caractere = "_";
            else
                caractere = std::to_string(j % 10);
            rdp.PosicionaTexto(j, caractere, "D");
        }
        rdp.ImprimeLinha(i);
    }
    rdp.FinalizaRelatorio();
}
