// Reversible scrambling of texts kept in memory (passwords).

#include "foundation/files/file_utils.h"

std::string EmbaralhaTexto(std::string_view texto, std::string_view chave)
{
    std::string result(texto);
    if (texto.empty() || chave.empty())
        return result;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const char key = chave[i % chave.size()];
        if (result[i] != key)
            result[i] = static_cast<char>(result[i] ^ key);
    }
    return result;
}
