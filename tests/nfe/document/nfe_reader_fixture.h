#pragma once

#include <string>
#include <string_view>

#include "tests/support/sample_notes.h"

class TNFe;

// Small NF-e texts for the reader tests.
namespace reader_fixture {

inline constexpr std::string_view kChave = testsupport::kSampleKey;

// An `NFe` element whose `infNFe` has the version and the key's Id (double
// quotes) and holds `conteudo`; `depois` follows `infNFe` inside `NFe`.
std::string nota(std::string_view versao, std::string_view conteudo, std::string_view depois = "");

// The same note with a `total` group after the items, as the item step needs.
std::string notaComItens(std::string_view versao, std::string_view itens);

// One item: `det` with the number and the inner text (prod, imposto...).
std::string item(int numero, std::string_view conteudo);

// Reads `xml` into `nfe` with a new reader.
void ler(TNFe &nfe, const std::string &xml);

} // namespace reader_fixture
