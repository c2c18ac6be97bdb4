// Searches, small edits and the shared casing helpers.

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string upperWithAccents(std::string_view text)
{
    std::string out(text);
    const std::size_t size = out.size();
    for (std::size_t i = 0; i < size; ++i) {
        auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'a' && b <= 'z') {
            out[i] = static_cast<char>(b - 32);
            continue;
        }
        if (i + 1 >= size)
            break;
        const auto next = static_cast<unsigned char>(out[i + 1]);
        if (b == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            // à..þ (except ÷) -> À..Þ: same two-byte lead, second byte - 0x20.
            out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        } else if (b == 0xC3 && next == 0xBF) {
            // ÿ -> Ÿ (U+0178)
            out[i] = static_cast<char>(0xC5);
            out[i + 1] = static_cast<char>(0xB8);
            ++i;
        } else if (b == 0xC5 && (next == 0xA1 || next == 0xBE || next == 0x93)) {
            // š ž œ -> Š Ž Œ
            out[i + 1] = static_cast<char>(next - 1);
            ++i;
        }
    }
    return out;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        if (out.empty())
            out.reserve(text.size());
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    if (pos == 0)
        return std::string(text);
    out.append(text.substr(pos));
    return out;
}

std::string TextoEntreMarcas(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                             bool include)
{
    const std::size_t start = text.find(startMarker);
    if (start == std::string_view::npos)
        return {};
    if (!include) {
        const std::string_view rest = text.substr(start + startMarker.size());
        const std::size_t end = rest.find(endMarker);
        return end == std::string_view::npos ? std::string() : std::string(rest.substr(0, end));
    }
    const std::string_view rest = text.substr(start);
    const std::size_t end = rest.find(endMarker);
    if (end == std::string_view::npos) {
        const std::size_t keep = endMarker.empty() ? 0 : utf8Length(endMarker) - 1;
        return std::string(utf8Prefix(rest, keep));
    }
    return std::string(rest.substr(0, end + endMarker.size()));
}

int UltimaPosicao(std::string_view sub, std::string_view text)
{
    if (sub.empty())
        return 0;
    const std::size_t hit = text.rfind(sub);
    if (hit == std::string_view::npos)
        return 0;
    return static_cast<int>(utf8IndexOfOffset(text, hit)) + 1;
}

int ContaOcorrencias(std::string_view text, std::string_view sub)
{
    if (sub.empty())
        return 0;
    int count = 0;
    std::size_t pos = text.find(sub);
    while (pos != std::string_view::npos) {
        ++count;
        pos = text.find(sub, pos + utf8CharAt(text, pos).size);
    }
    return count;
}

std::string RetiraOcorrencias(std::string_view sub, std::string_view text)
{
    return replaceAll(text, sub, "");
}

std::string TextoOuPadrao(std::string_view text, std::string_view defaultText, bool trim)
{
    const std::string_view tested = trim ? trimText(text) : text;
    return std::string(tested.empty() ? defaultText : text);
}

std::string RetiraZerosEsquerda(std::string_view text)
{
    std::size_t first = 0;
    while (first + 1 < text.size() && text[first] == '0')
        ++first;
    return std::string(text.substr(first));
}
