#pragma once

#include <span>
#include <string_view>

// The stored format of a company's NF-e settings: every section and key the
// settings screen writes and reads, the control that shows it, how the value
// is kept and its default. The document monitor reads the same rows, so the
// names and encodings are fixed. The writer walks the table in its order;
// the reader walks it by `leitura` (0: not read). Implemented in
// chaves_configuracao.cpp.

// How a control holds its value.
enum class TipoControle {
    Edit,  // a text
    Lista, // the zero-based index of the chosen item, -1 for no choice
    Caixa, // ticked or not
};

// The conversion between the control and the stored text.
enum class Conversao {
    Texto,        // S: the edit's text
    Memo,         // M: the edit's text, in the long-text column
    Marcado,      // B: the box
    Inteiro,      // I: the edit's text as an integer
    Indice,       // I: the list's index
    SiglaUF,      // S: the chosen state abbreviation; read selects the equal item
    IndiceUF,     // I: the state list's index, written only
    Margem,       // I: the edit's decimal times 100; read 0 or less keeps the default
    TamanhoFonte, // I: the index + 6 (no choice 5); read: value - 6 when above 0
    AlturaLinha,  // I: 20, 25, 30, else 35; read: only those four choose
    VersaoDF,     // I: the list's index; read always chooses "ve400"
    PastaSchemas, // S: the edit's text; read always shows the program's schema folder
};

struct ChaveConfiguracao {
    std::string_view sessao;
    std::string_view chave;
    Conversao conversao;
    std::string_view controle;
    // The default the reader passes, as stored text; a margin's is the value
    // its edit keeps for a stored 0 or none ("0.60"). "{pasta}" stands for
    // the program's folder (with its separator at the end), "{sep}" for that
    // separator.
    std::string_view padrao;
    int leitura; // position in the reader's order; 0 when not read
};

// Every key, in the writer's order.
std::span<const ChaveConfiguracao> chavesConfiguracao();

TipoControle tipoControle(Conversao conversao);

// The items of the lists whose items are not an enumeration's names.
std::span<const std::string_view> siglasUF();
std::span<const std::string_view> tamanhosFonte();
std::span<const std::string_view> alturasLinha();
