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

} // namespace

std::string firstFault(std::string_view bytes)
{
    int number = 0;
    int lastRank = -1;
    bool items = false;
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
            const std::string section(rest.substr(1, rest.size() - 2));
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
        if (equals != std::max<size_t>(15, key.size()))
            return at + "chave \"" + std::string(key) + "\" sem preenchimento a 15 caracteres";
        const std::string_view value = rest.substr(equals + 3);
        if (badNumber(value))
            return at + "numero \"" + std::string(value) + "\" fora do formato (ponto decimal, sem milhar)";
    }
    return {};
}

} // namespace testsupport::monitor
