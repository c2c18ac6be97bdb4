#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "tests/support/fake_monitor/detail/monitor_files.h"

namespace testsupport::monitor {

namespace {

std::string trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool endsWithTxt(std::string_view name)
{
    return name.size() > 4 && lowerAscii(name.substr(name.size() - 4)) == ".txt";
}

} // namespace

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::string requestKind(std::string_view name)
{
    if (!endsWithTxt(name))
        return {};
    const std::string text = lowerAscii(name);
    if (text == "contingencia.txt")
        return "contingencia";
    // The client's names carry digits right after the kind. Longer kinds first: "impcarta" and "inutiliza"
    // before anything shorter.
    static const std::array<std::string_view, 9> kinds = {
        "impcarta", "inutiliza", "consulta", "cancel", "carta", "danfe", "email", "evento", "nota"};
    for (const auto kind : kinds)
        if (text.starts_with(kind) && std::isdigit(static_cast<unsigned char>(text[kind.size()])))
            return std::string(kind);
    return {};
}

bool isExportName(std::string_view name)
{
    const std::string text = lowerAscii(name);
    if (!text.starts_with("nota_") || !endsWithTxt(text))
        return false;
    const std::string_view middle = std::string_view(text).substr(5, text.size() - 9);
    const auto dash = middle.find('-');
    const auto digits = [](std::string_view part) {
        return !part.empty() &&
               std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); });
    };
    return dash != std::string_view::npos && digits(middle.substr(0, dash)) &&
           digits(middle.substr(dash + 1));
}

void readRequestLines(MonitorRequest &request)
{
    std::string section;
    std::string_view rest = request.text;
    while (!rest.empty()) {
        auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string bare = trim(line);
        if (bare.empty() || bare == "--")
            continue;
        if (bare.front() == '[' && bare.back() == ']') {
            section = bare.substr(1, bare.size() - 2);
            request.sections.push_back(section);
            continue;
        }
        const auto equals = line.find(" = ");
        if (equals == std::string_view::npos)
            request.lines.push_back({section, {}, bare});
        else
            request.lines.push_back(
                {section, trim(line.substr(0, equals)), std::string(line.substr(equals + 3))});
    }
}

bool matchesPattern(std::string_view pattern, std::string_view name)
{
    const std::string p = lowerAscii(pattern);
    const std::string n = lowerAscii(name);
    // Iterative wildcard match with backtracking to the last '*'.
    size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

} // namespace testsupport::monitor
