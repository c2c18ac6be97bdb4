#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The shell's text-report engine for dot-matrix printers: a report is a
// sequence of pages, each a grid of lines by positions of an 80-column grid
// (tenths of an inch), where texts are placed left-aligned, centred or
// right-aligned in one of five pitches. Closing the report either hands it to
// the preview (`visualiza`) or sends it to the printer as the ESC/P bytes of
// the suite's Epson model: initialise, lines per inch, page length, the
// pitches, bold, a form feed after each page. Accented letters are printed
// without their accents.
//
// The printer is `PortaComunicacao`: "LPT1" is the default queue of the print
// scheduler (one raw job per report), anything else names a file that is
// replaced whole by the report's bytes. Printing raises EQuibDeviceError for
// the scheduler's refusals and FileWriteError for a file that cannot be
// written; a text outside the page or on a report not open raises
// ProgramError. Main thread only. Implemented in relatorio_texto.cpp.
class RelatorioTexto {
  public:
    // Pitches (the engine's font sets); bold adds 1.
    static constexpr int kExpandido = 8; // 5 characters per inch
    static constexpr int kCpi10 = 16;
    static constexpr int kCpi12 = 32;
    static constexpr int kCpi17 = 64;
    static constexpr int kCpi20 = 128;

    struct Opcoes {
        int linhasPorPolegada = 6; // 6 or 8
        int linhasPagina = 66;
        int colunas = 80;
        bool visualizar = false;
        int tamanhoPadrao = 1;
        std::string titulo = "Gerado por RDprint";
    };
    struct Texto {
        int posicao = 1; // first grid position the text covers
        std::string texto;
        int fonte = kCpi10;
    };
    struct Pagina {
        int linhas = 66;
        std::map<int, std::vector<Texto>> textos; // by line
    };

    std::string PortaComunicacao = "LPT1";
    // The preview: shown with the closed report instead of printing it.
    std::function<void(const RelatorioTexto &)> visualiza;
    // Replaces the printer (tests, the check tool): receives the bytes.
    std::function<void(std::string_view bytes)> envia;

    void abre(const Opcoes &opcoes);
    bool aberto() const { return aberto_; }
    const Opcoes &opcoes() const { return opcoes_; }
    // Alignment 'E' starts the text at the position, 'C' centres it there,
    // 'D' ends it there.
    void imprime(int linha, int posicao, std::string_view texto, int fonte, char alinhamento);
    void novaPagina();
    // The length of the page being written (roll forms grow line by line);
    // a page never becomes shorter than its last written line.
    int linhasPagina() const;
    void defineLinhasPagina(int linhas);
    void defineVisualizar(bool visualizar) { opcoes_.visualizar = visualizar; }
    // The print set-up step: nothing to ask on this platform.
    void setup() {}
    // Ends the report: previews it or prints it.
    void fecha();
    // Sends the report to the printer (the preview's print button).
    void imprime() const;

    const std::vector<Pagina> &paginas() const { return paginas_; }
    // The page as plain text lines, each text at its character column.
    std::vector<std::string> linhasTexto(std::size_t pagina) const;
    // The whole report as the printer gets it.
    std::string bytesEscP() const;

  private:
    Opcoes opcoes_;
    std::vector<Pagina> paginas_;
    bool aberto_ = false;
};

// Characters per inch of a pitch (bold ignored); 0 for an unknown one.
int CaracteresPorPolegada(int fonte);
// The ESC/P command that selects a pitch.
std::string ComandoFonte(int fonte);
