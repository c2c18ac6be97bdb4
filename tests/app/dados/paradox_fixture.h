#pragma once

#include <string>
#include <variant>
#include <vector>

// Writes small Paradox tables with pxlib for the older-data upgrade tests:
// columns are texts (Windows-1252 on disk) or 32-bit integers. Implemented in
// paradox_fixture.cpp.
namespace testsupport {

struct ColunaParadox {
    std::string nome;
    int tamanho; // 0: integer column
};
using ValorParadox = std::variant<std::string, int>;

void escreveTabelaParadox(const std::string &arquivo, const std::vector<ColunaParadox> &colunas,
                          const std::vector<std::vector<ValorParadox>> &linhas);

} // namespace testsupport
