#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "tests/support/fake_monitor/detail/monitor_files.h"

namespace testsupport::monitor {

namespace {

// True when the line holds a well-formed multi-byte UTF-8 sequence: the
// client writes Windows-1252, where such pairs of accented bytes are
// practically never meant.
bool holdsUtf8(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || i + length > line.size())
            continue;
        bool continuation = true;
        for (size_t k = 1; k < length; ++k)
            continuation = continuation && (static_cast<unsigned char>(line[i + k]) & 0xC0) == 0x80;
        if (continuation)
            return true;
    }
    return false;
}

// A value made only of digits and separators that is not written with a
// single "." as decimal point.
bool badNumber(std::string_view value)
{
    if (value.empty() || value.find_first_not_of("0123456789.,") != std::string_view::npos ||
        !std::isdigit(static_cast<unsigned char>(value.front())) ||
        !std::isdigit(static_cast<unsigned char>(value.back())))
        return false;
    return value.find(',') != std::string_view::npos || std::count(value.begin(), value.end(), '.') > 1;
}

// The note-level sections in the order the document holds them.
int sectionRank(const std::string &section)
{
    static const std::array<std::string_view, 16> order = {
        "ide",        "emit",       "enderemit", "dest",    "enderdest", "nfref",    "entrega", "transp",
        "transporta", "veictransp", "vol",       "infadic", "icmstot",   "issqntot", "exporta", "dup"};
    const auto found = std::find(order.begin(), order.end(), lowerAscii(section));
    return found == order.end() ? -1 : static_cast<int>(found - order.begin());
}

// The indent a section header stands at: 0 for the note-level sections, the
// item headers and the correction-letter items, 2 for the reference
// sub-headers, 6 or 10 (-1 here) for the item sub-sections and their own.
int headerIndent(const std::string &section)
{
    static const std::array<std::string_view, 5> level0 = {"nfref", "prod", "det", "campo", "obscont"};
    static const std::array<std::string_view, 2> level2 = {"refnfp", "refecf"};
    const std::string name = lowerAscii(section);
    if (sectionRank(section) >= 0 || std::find(level0.begin(), level0.end(), name) != level0.end())
        return 0;
    if (std::find(level2.begin(), level2.end(), name) != level2.end())
        return 2;
    return -1;
}

// The indent of the key lines under a header at `indent`: 4 under the
// note-level and reference headers (5 under a correction-letter item), two
// more than the header under the item sub-sections.
int keyIndent(const std::string &section, int indent)
{
    if (indent <= 2)
        return lowerAscii(section) == "campo" ? 5 : 4;
    return indent + 2;
}

std::string indentFault(std::string_view what, size_t found, const std::string &expected)
{
    return std::string(what) + " com recuo de " + std::to_string(found) + " espacos (esperado " + expected +
           ")";
}

} // namespace

std::string firstFault(std::string_view bytes)
{
    int number = 0;
    int lastRank = -1;
    bool items = false;
    std::string section;    // the last header's name
    int sectionIndent = -1; // its indent; -1 before any header
    while (!bytes.empty()) {
        ++number;
        const std::string at = "linha " + std::to_string(number) + ": ";
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
        if (end == std::string_view::npos || line.empty() || line.back() != '\r')
            return at + "linha sem CR LF no fim";
        line.remove_suffix(1);
        if (holdsUtf8(line))
            return at + "texto em UTF-8 (esperado Windows-1252)";
        const auto indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos || line.substr(indent) == "--")
            continue;
        const std::string_view rest = line.substr(indent);
        if (rest.front() == '[' && rest.back() == ']') {
            section = std::string(rest.substr(1, rest.size() - 2));
            const int expected = headerIndent(section);
            if (expected >= 0 ? indent != static_cast<size_t>(expected) : indent != 6 && indent != 10)
                return at + indentFault("secao [" + section + "]", indent,
                                        expected >= 0 ? std::to_string(expected) : "6 ou 10");
            sectionIndent = static_cast<int>(indent);
            const std::string name = lowerAscii(section);
            items = items || name == "prod" || name == "det";
            const int rank = sectionRank(section);
            if (!items && rank >= 0) {
                if (rank < lastRank)
                    return at + "secao [" + section + "] fora de ordem";
                lastRank = rank;
            }
            continue;
        }
        const auto equals = rest.find(" = ");
        if (equals == std::string_view::npos)
            return at + "linha sem \" = \"";
        std::string_view key = rest.substr(0, equals);
        while (!key.empty() && key.back() == ' ')
            key.remove_suffix(1);
        if (key.empty())
            return at + "linha sem chave";
        if (sectionIndent < 0) {
            // Short requests: keys at 0; the voiding request's emitter at 4.
            const std::string name = lowerAscii(key);
            if (indent != 0 && !(indent == 4 && (name == "cnpj" || name == "cpf")))
                return at + indentFault("chave \"" + std::string(key) + "\"", indent, "0");
        } else if (const int expected = keyIndent(section, sectionIndent);
                   indent != static_cast<size_t>(expected)) {
            return at + indentFault("chave \"" + std::string(key) + "\"", indent, std::to_string(expected));
        }
        if (equals != std::max<size_t>(15, key.size()))
            return at + "chave \"" + std::string(key) + "\" sem preenchimento a 15 caracteres";
        const std::string_view value = rest.substr(equals + 3);
        if (badNumber(value))
            return at + "numero \"" + std::string(value) + "\" fora do formato (ponto decimal, sem milhar)";
    }
    return {};
}

} // namespace testsupport::monitor
