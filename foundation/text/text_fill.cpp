// Filling, centring and justification to a width.

#include <algorithm>

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

std::string_view oneChar(std::string_view fill)
{
    if (fill.empty())
        return " ";
    return fill.substr(0, utf8CharAt(fill, 0).size);
}

std::string repeat(std::string_view unit, int count)
{
    std::string out;
    if (count <= 0)
        return out;
    out.reserve(unit.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.append(unit);
    return out;
}

std::size_t clampWidth(int width)
{
    return width < 0 ? 0 : static_cast<std::size_t>(width);
}

bool isTrimmable(std::string_view ch)
{
    return ch.size() == 1 && static_cast<unsigned char>(ch[0]) <= 32;
}

} // namespace

std::string CompletaDireita(std::string_view text, int width, std::string_view fill)
{
    const std::size_t w = clampWidth(width);
    const std::size_t length = utf8Length(text);
    if (length >= w)
        return std::string(utf8Prefix(text, w));
    return std::string(text) + repeat(oneChar(fill), static_cast<int>(w - length));
}

std::string CompletaDireita(std::string_view text, int width, char fill)
{
    return CompletaDireita(text, width, std::string_view(&fill, 1));
}

std::string CompletaEsquerda(std::string_view text, int width, std::string_view fill)
{
    const std::size_t w = clampWidth(width);
    const std::size_t length = utf8Length(text);
    if (length >= w)
        return std::string(utf8Prefix(text, w));
    return repeat(oneChar(fill), static_cast<int>(w - length)) + std::string(text);
}

std::string CompletaEsquerda(std::string_view text, int width, char fill)
{
    return CompletaEsquerda(text, width, std::string_view(&fill, 1));
}

std::string CentralizaNaLargura(std::string_view text, int width, std::string_view fill)
{
    const std::size_t w = clampWidth(width);
    const std::size_t length = utf8Length(text);
    if (length >= w)
        return std::string(utf8Prefix(text, w));
    const int left = static_cast<int>((w - length) / 2);
    return CompletaDireita(repeat(oneChar(fill), left) + std::string(text), width, fill);
}

std::string CentralizaNaLargura(std::string_view text, int width, char fill)
{
    return CentralizaNaLargura(text, width, std::string_view(&fill, 1));
}

std::string CompletaDireitaAnsi(std::string_view text, int width, char fill)
{
    const std::size_t w = clampWidth(width);
    if (text.size() >= w)
        return std::string(text.substr(0, w));
    return std::string(text) + std::string(w - text.size(), fill);
}

std::string CompletaEsquerdaAnsi(std::string_view text, int width, char fill)
{
    const std::size_t w = clampWidth(width);
    if (text.size() >= w)
        return std::string(text.substr(0, w));
    return std::string(w - text.size(), fill) + std::string(text);
}

std::string CentralizaNaLarguraAnsi(std::string_view text, int width, char fill)
{
    const std::size_t w = clampWidth(width);
    if (text.size() >= w)
        return std::string(text.substr(0, w));
    const std::size_t left = (w - text.size()) / 2;
    return CompletaDireitaAnsi(std::string(left, fill) + std::string(text), width, fill);
}

std::string JustificaTexto(std::string_view text, int width, std::string_view separator,
                           std::string_view fill, bool trim)
{
    const std::string_view sep = oneChar(separator);
    const std::string_view fillChar = oneChar(fill);
    const std::size_t w = clampWidth(width);

    // Separators are tracked by position, so fill characters never count as
    // separators, and separators that equal the fill are not trimmed away.
    auto chars = utf8Chars(utf8Prefix(text, w));
    std::vector<bool> isSeparator(chars.size());
    std::size_t separators = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        isSeparator[i] = chars[i] == sep;
        separators += isSeparator[i] ? 1 : 0;
    }
    if (separators == 0)
        return CompletaDireita(utf8Prefix(text, w), width, fillChar);

    std::size_t first = 0;
    std::size_t last = chars.size();
    if (trim) {
        const bool protect = sep == fillChar;
        while (first < last && isTrimmable(chars[first]) && !(protect && isSeparator[first]))
            ++first;
        while (last > first && isTrimmable(chars[last - 1]) && !(protect && isSeparator[last - 1]))
            --last;
        separators = static_cast<std::size_t>(
            std::count(isSeparator.begin() + static_cast<std::ptrdiff_t>(first),
                       isSeparator.begin() + static_cast<std::ptrdiff_t>(last), true));
        if (separators == 0) {
            std::string body;
            for (std::size_t i = first; i < last; ++i)
                body.append(chars[i]);
            return CompletaDireita(body, width, fillChar);
        }
    }

    const std::size_t length = last - first;
    const std::size_t spare = w - length + separators;
    const std::size_t each = spare / separators;
    const std::size_t extra = spare - separators * each;

    std::string out;
    std::size_t seen = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (!isSeparator[i]) {
            out.append(chars[i]);
            continue;
        }
        ++seen;
        const bool getsExtra = seen > separators - extra;
        out += repeat(fillChar, static_cast<int>(each + (getsExtra ? 1 : 0)));
    }
    return out;
}

std::string JustificaTexto(std::string_view text, int width, char separator, char fill, bool trim)
{
    return JustificaTexto(text, width, std::string_view(&separator, 1), std::string_view(&fill, 1), trim);
}

std::string GeraEspacos(int count)
{
    return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

std::string TextoComZeros(std::string_view text, int width)
{
    return CompletaEsquerda(trimText(text), width, '0');
}

std::string InteiroComZeros(std::int64_t value, int width)
{
    return TextoComZeros(std::to_string(value), width);
}
