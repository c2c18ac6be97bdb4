// Line cutting, word wrapping, line-break normalisation and splitting.

#include <algorithm>
#include <stdexcept>

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

// 1-based access to a list of characters.
class CharList {
  public:
    explicit CharList(std::string_view text) : chars_(utf8Chars(text)) {}
    std::size_t size() const { return chars_.size(); }
    std::string_view at(std::size_t position) const { return chars_[position - 1]; }
    bool is(std::size_t position, std::string_view ch) const
    {
        return position >= 1 && position <= chars_.size() && chars_[position - 1] == ch;
    }
    // Appends the characters from..to (1-based, inclusive) to out.
    void append(std::string &out, std::size_t from, std::size_t to) const
    {
        for (std::size_t i = from; i <= to && i <= chars_.size(); ++i)
            out.append(chars_[i - 1]);
    }

  private:
    std::vector<std::string_view> chars_;
};

} // namespace

std::string ParteEmLinhas(std::string_view text, int columns, int maxLines, bool pad)
{
    if (columns < 1)
        throw std::invalid_argument("ParteEmLinhas: o número de colunas deve ser ao menos 1 (recebido " +
                                    std::to_string(columns) + ")");
    const std::string unified = replaceAll(text, "\r\n", "\n");
    const std::string_view all = unified;
    const std::size_t cols = static_cast<std::size_t>(columns);

    // Byte offsets of the characters of T, filled only as far as a line needs
    // them, so each line costs its own length and nothing more.
    std::vector<std::size_t> offsets;
    std::size_t start = 0;                      // byte offset of T
    auto offsetOf = [&](std::size_t position) { // byte offset of T's character `position` (1-based)
        while (offsets.size() < position) {
            const std::size_t at =
                offsets.empty() ? start : offsets.back() + utf8CharAt(all, offsets.back()).size;
            if (at >= all.size())
                return all.size();
            offsets.push_back(at);
        }
        return offsets[position - 1];
    };
    auto isChar = [&](std::size_t position, char c) {
        const std::size_t at = offsetOf(position);
        return at < all.size() && all[at] == c;
    };

    std::string result;
    int lines = 0;
    while (start < all.size() && (maxLines <= 0 || lines < maxLines)) {
        offsets.clear();
        // b: the first LF when it is within cols + 1 characters, else cols + 1,
        // or the end of T plus one when T is shorter.
        std::size_t b = 1;
        while (b <= cols && offsetOf(b) < all.size() && !isChar(b, '\n'))
            ++b;
        // A one-letter tag such as "<b>" or "</b>" is not split.
        if (b >= 2 && isChar(b - 1, '<'))
            b += 2;
        else if (b >= 3 && isChar(b - 2, '<') && isChar(b - 1, '/'))
            b += 2;

        const std::size_t end = offsetOf(b);
        const std::string_view line = all.substr(start, end - start);
        result += pad ? CompletaDireita(line, columns, ' ') : std::string(line);
        result += '\n';
        ++lines;

        start = end;
        if (start < all.size() && all[start] == '\n')
            ++start;
    }
    if (result.empty())
        result = (pad ? GeraEspacos(columns) : std::string()) + "\n";
    return result;
}

std::string QuebraPorPalavras(std::string_view text, int columns, char breakChar)
{
    const std::string unified = replaceAll(text, "\r\n", "\n");
    if (columns <= 0)
        return replaceAll(unified, "\n", "\r\n");

    const std::string_view brk(&breakChar, 1);
    const CharList chars(unified);
    const std::size_t length = chars.size();
    const std::size_t cols = static_cast<std::size_t>(columns);
    auto isBreak = [&](std::size_t i) { return chars.is(i, brk) || chars.is(i, "\n"); };

    std::string result;
    std::size_t i = 1;
    while (i <= length) {
        if (i > 1 && !chars.is(i - 1, "\n"))
            result += '\n';
        std::size_t p = i + cols - 1;
        if (p < length) {
            if (isBreak(p + 1)) {
                ++p;
            } else {
                while (p > i && !isBreak(p))
                    --p;
            }
        }
        if (p == i)
            p = i + cols - 1; // a word longer than the line is cut at the width
        for (std::size_t k = i + 1; k < p && k <= length; ++k) {
            if (chars.is(k, "\n")) {
                p = k;
                break;
            }
        }
        p = std::min(p, length);
        chars.append(result, i, p);
        i = p + 1;
        while (i <= length && isBreak(i)) {
            if (chars.is(i, "\n"))
                result += '\n';
            ++i;
        }
    }
    return replaceAll(result, "\n", "\r\n");
}

std::string NormalizaQuebras(std::string_view text, std::string_view lineBreak)
{
    if (trimText(text).empty())
        return std::string(text);
    std::string out = replaceAll(replaceAll(text, "\r\n", "\n"), "\r", "\n");
    if (lineBreak != "\n")
        out = replaceAll(out, "\n", lineBreak);
    return out;
}

char DetectaSeparador(std::string_view text, std::string_view candidates)
{
    if (candidates.empty())
        candidates = ";,|";
    for (const char c : candidates) {
        if (text.find(c) != std::string_view::npos)
            return c;
    }
    return ' ';
}

int DivideTexto(std::string_view text, char delimiter, std::vector<std::string> &list, char quote)
{
    if (text.empty())
        return 0;
    const bool quoting = quote != '\0' && quote != delimiter;
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (quoting && text[pos] == quote) {
            const std::size_t close = text.find(quote, pos + 1);
            if (close == std::string_view::npos) {
                parts.emplace_back(text.substr(pos + 1));
                break;
            }
            parts.emplace_back(text.substr(pos + 1, close - pos - 1));
            pos = close + 2; // the closing quote and the delimiter after it
            continue;
        }
        const std::size_t next = text.find(delimiter, pos);
        if (next == std::string_view::npos) {
            parts.emplace_back(text.substr(pos));
            break;
        }
        parts.emplace_back(text.substr(pos, next - pos));
        pos = next + 1;
    }
    list.insert(list.end(), parts.begin(), parts.end());
    return static_cast<int>(parts.size());
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}
