// Character classes, filters and accent folding.

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

// True when every character of the text belongs to the set.
bool allIn(std::string_view text, const CharSet &set)
{
    for (const char c : text) {
        if (!set.contains(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// ASCII-only sets can be tested byte by byte: no byte of a multi-byte
// character is below 0x80.
std::string keepAscii(std::string_view text, const CharSet &set)
{
    std::string out;
    for (const char c : text) {
        if (set.contains(static_cast<unsigned char>(c)))
            out += c;
    }
    return out;
}

// Folded letters for U+00C0 to U+00FF, in code order.
constexpr char kFolded[64 + 1] = "AAAAAAACEEEEIIII"  // C0-CF
                                 "DNOOOOOx0UUUUYbB"  // D0-DF
                                 "aaaaaaaceeeeiiii"  // E0-EF
                                 "onooooo/0uuuuyby"; // F0-FF

} // namespace

bool CaractereNoConjunto(char32_t c, const CharSet &set)
{
    return set.contains(c);
}

bool EhLetra(char32_t c)
{
    return kLetras.contains(c);
}

bool EhLetraOuDigito(char32_t c)
{
    return kLetrasEDigitos.contains(c);
}

bool EhDigito(char32_t c)
{
    return kDigitos.contains(c);
}

bool EhHexadecimal(char32_t c)
{
    return kHexadecimais.contains(c);
}

bool EhBinario(char32_t c)
{
    return kBinarios.contains(c);
}

bool EhCaractereBase64(char32_t c)
{
    return kCaracteresBase64.contains(c);
}

bool SoLetrasEDigitos(std::string_view text)
{
    return allIn(text, kLetrasEDigitos);
}

bool SoHexadecimal(std::string_view text)
{
    return allIn(text, kHexadecimais);
}

bool SoBinario(std::string_view text)
{
    return allIn(text, kBinarios);
}

bool SoDigitos(std::string_view text)
{
    return !text.empty() && allIn(text, kDigitos);
}

bool Base64Valido(std::string_view text)
{
    if (text.empty() || text.size() % 4 != 0)
        return false;
    std::size_t end = text.size();
    int padding = 0;
    while (end > 0 && text[end - 1] == '=' && padding < 2) {
        --end;
        ++padding;
    }
    return allIn(text.substr(0, end), kCaracteresBase64);
}

std::string SomenteDigitos(std::string_view text)
{
    return keepAscii(text, kDigitos);
}

std::string SomenteLetrasEDigitos(std::string_view text)
{
    return keepAscii(text, kLetrasEDigitos);
}

std::string SomenteDoConjunto(std::string_view text, const CharSet &set)
{
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        if (ch.valid && set.contains(ch.code))
            out.append(text.substr(pos, ch.size));
        pos += ch.size;
    }
    return out;
}

char32_t RemoveAcentoCaractere(char32_t c)
{
    if (c < 0xC0 || c > 0xFF)
        return c;
    return static_cast<unsigned char>(kFolded[c - 0xC0]);
}

std::string RemoveAcentos(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        pos += ch.size;
        const char32_t folded = ch.valid ? RemoveAcentoCaractere(ch.code) : 0xFFFD;
        const bool kept = folded == 8 || folded == 10 || folded == 13 || (folded >= 32 && folded <= 126);
        out += kept ? static_cast<char>(folded) : ' ';
    }
    return out;
}
