#include "dfe/component/recursos_embutidos.h"

#include <array>
#include <utility>

#include "foundation/text/text_utils.h"

std::string_view recursoQuibNFeServicos();

std::optional<std::string_view> recursoEmbutido(std::string_view nome)
{
    const std::array<std::pair<std::string_view, std::string_view (*)()>, 1> recursos = {{
        {"QUIBNFESERVICOS", &recursoQuibNFeServicos},
    }};
    const std::string procurado = upperAscii(nome);
    for (const auto &[nomeRecurso, bytes] : recursos)
        if (nomeRecurso == procurado)
            return bytes();
    return std::nullopt;
}
