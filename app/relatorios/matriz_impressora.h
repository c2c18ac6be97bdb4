#pragma once

#include <string_view>

class TfrmRdp;

// The printer grid that lines up a dot-matrix printer: `linhas` lines of
// `largura` columns, each starting with its two-digit number and "_" and
// going on with the last digit of each column number, as one report of the
// report object. Implemented in matriz_impressora.cpp.
void ImprimeMatrizImpressora(TfrmRdp &rdp, int linhas, int linhasPorPolegada, int largura,
                             std::string_view titulo, bool visualizar);
