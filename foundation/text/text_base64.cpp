#include <algorithm>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr char kAlfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valorBase64(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::string DecodificaBase64(std::string_view text)
{
    if (!Base64Valido(text))
        throw ConversionError("Base64 inválido");
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    unsigned acumulado = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=')
            break;
        acumulado = (acumulado << 6) | static_cast<unsigned>(valorBase64(c));
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((acumulado >> bits) & 0xFF));
        }
    }
    return bytes;
}

std::string CodificaBase64(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned bloco = 0;
        for (std::size_t j = 0; j < 3; ++j)
            bloco = bloco << 8 | (j < n ? static_cast<unsigned char>(bytes[i + j]) : 0U);
        for (std::size_t j = 0; j < 4; ++j)
            text.push_back(j <= n ? kAlfabeto[(bloco >> (18 - 6 * j)) & 0x3F] : '=');
    }
    return text;
}
