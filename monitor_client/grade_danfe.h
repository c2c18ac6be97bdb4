#pragma once

// One grid of the note screen: the DANFENFE rows of a group of states that
// the current run touched, read whole on opening, with a current row.
// Filled by TfrmNFE_2G (frm_nfe_2g_danfenfe.cpp); no Qt.

#include <cstddef>
#include <string>
#include <vector>

struct LinhaDanfe {
    int nroNota = 0;
    std::string serie, desStatus, chave, resultado, mensagem, mensagem2, mensagem3, mensagem4, emailEnvio;
    int status = 0;
};

struct GradeDanfe {
    // Which states the grid shows: 1; 2 and 3; 4 and 5.
    enum Grupo { Enviadas, Danfe, ImpressoEmail };
    explicit GradeDanfe(Grupo g) : grupo(g) {}

    Grupo grupo;
    bool aberta = false;
    std::vector<LinhaDanfe> linhas;
    std::size_t atual = 0;

    bool vazia() const { return linhas.empty(); }
    const LinhaDanfe *linhaAtual() const { return atual < linhas.size() ? &linhas[atual] : nullptr; }
    void fecha()
    {
        aberta = false;
        linhas.clear();
        atual = 0;
    }
};
