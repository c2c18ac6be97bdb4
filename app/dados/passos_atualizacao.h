#pragma once

#include <functional>
#include <string>
#include <vector>

class TdtmNFE_grd;

// The update steps of the NF-e module database, as data: each step is a
// number and one or more parts. A part's statements run in order, then its
// data work, and the part is committed at its end. Most steps have one
// part; a step whose later statements need an earlier one committed (a
// column added, then filled) has two, and the first part carries the
// statements that undo it should the second part fail, so a step is always
// applied whole or not at all. A notice is shown when the step is due,
// before its work. Implemented in passos_atualizacao.cpp (statements) and
// conversoes_configuracao.cpp (the settings conversions).

struct ParteAtualizacao {
    std::vector<std::string> comandos;
    std::function<void(TdtmNFE_grd &)> trabalho;
    std::vector<std::string> desfazer;
};

struct PassoAtualizacao {
    int numero = 0;
    std::vector<ParteAtualizacao> partes; // empty: nothing to run or commit
    std::function<void()> aviso;
};

// The 63 steps in the order a run calls them (01-29, 31-40, 71-80, 82-86,
// 89-97).
const std::vector<PassoAtualizacao> &passosAtualizacao();
