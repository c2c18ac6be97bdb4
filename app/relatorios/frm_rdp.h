#pragma once

#include "app/relatorios/relatorio_texto.h"

#include <string>
#include <string_view>

// The text-report object of the shell: a report of `CodigoLargura` columns
// (40, 55, 80, 95, 135 or 160) built line by line in a buffer and placed on
// the 80-column grid of the report engine (`RDprint`) in the pitch of its
// width. Width 55 is a roll form: its page starts one line long and grows by
// one line with each text printed. The printer grid of the management screen
// and the printing on pre-printed forms use the one instance `frmRdp()`.
// Errors of the engine (a report not started, a line outside its page)
// propagate. Main thread only. Implemented in frm_rdp.cpp.
class TfrmRdp {
  public:
    int CodigoLargura = 0;
    std::string Linha;
    int Pagina = 0;
    std::string Titulo;
    RelatorioTexto RDprint;

    TfrmRdp();

    void IniciaRelatorio(bool visualizar, int linhasPorPolegada, int codigoLargura, int primeiraPagina,
                         int linhasPagina, std::string_view titulo);
    // Overlays the text into `Linha`: "E" starts at the column, "D" ends at
    // it, "C" centres on it.
    void PosicionaTexto(int coluna, std::string_view texto, std::string_view alinhamento);
    // Prints `Linha` from column 1 at that line and blanks it again.
    void ImprimeLinha(int numeroLinha);
    // A width code outside the table or an unknown alignment prints nothing.
    void ImprimeNaPosicao(int numeroLinha, int coluna, bool negrito, std::string_view alinhamento,
                          std::string_view texto);
    // The column on the engine's 80-column grid, at least 1.
    int ColunaParaPosicao(int coluna) const;
    void NovaPagina();
    // Prints the report, or shows its preview when it was started so.
    void FinalizaRelatorio();
};

// The pitch of a width code (see RelatorioTexto); 0 outside the table.
int FontePorLargura(int codigoLargura);

// The shell's one report object.
TfrmRdp &frmRdp();
