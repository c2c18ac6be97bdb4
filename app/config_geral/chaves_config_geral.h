#pragma once

#include <span>
#include <string_view>

// The controls of the NFS-e/CT-e settings screen and the flat settings rows
// it keeps, one row per control value. The document monitor reads these
// rows, so key names and encodings are fixed. The store walks the keys in
// their order; the load reads them by `leitura`. Implemented in
// chaves_config_geral.cpp.

// How a control holds its value.
enum class TipoControleNfse {
    Edit,  // a text
    Lista, // the zero-based index of the chosen item (a combo box also keeps its text)
    Caixa, // ticked or not
    Botao, // no value
};

struct ControleNfse {
    std::string_view nome;
    int pagina; // index into paginasConfigGeral()
    TipoControleNfse tipo;
    std::string_view rotulo; // the label or the box's or button's caption
    std::span<const std::string_view> itens;
};

// How a control's value is stored.
enum class CodificacaoNfse {
    Texto,        // the control's text as it stands
    Indice,       // the item index as decimal text
    SimNao,       // "SIM" ticked, "NAO" not
    Invertido,    // "0" ticked, "1" not
    Versao,       // "200" for the first item, "310" otherwise
    ContingNFCe,  // "SIM" unless on the first item, else "NAO"
    TamanhoFonte, // "6", "7", "8" for the first, second, any other item
    AlturaLinha,  // "20", "25", "30" for the first, second, any other item
};

// When the load reads a key.
enum class LeituraNfse {
    Varredura, // from the walk over every row of the company
    Consulta,  // afterwards, each with the flat lookup, in the table's order
    Final,     // after those (the NFC-e emission form)
    Protocolo, // last, and only when chkProtServSsl20 has a value
};

struct ChaveNfse {
    std::string_view chave;
    std::string_view controle;
    CodificacaoNfse codificacao;
    LeituraNfse leitura;
};

// The page captions, in order.
std::span<const std::string_view> paginasConfigGeral();
// Every control, page by page in the order the screen shows them.
std::span<const ControleNfse> controlesConfigGeral();
// The 74 keys, in the store's order.
std::span<const ChaveNfse> chavesConfigGeral();
