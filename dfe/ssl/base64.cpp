#include "dfe/ssl/base64.h"

#include <algorithm>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

std::string encodeBase64(std::string_view bytes)
{
    return CodificaBase64(bytes);
}

std::string decodeBase64(std::string_view text)
{
    std::string compact(text);
    std::erase_if(compact, [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; });
    if (compact.empty())
        return {};
    if (!Base64Valido(compact))
        throw EQuibDFeException("Base64 inválido");
    return DecodificaBase64(compact);
}
