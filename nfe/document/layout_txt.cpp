#include "nfe/document/layout_txt.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "nfe/document/detail/layout_txt_tables.h"

namespace {

// Record names end at this column, so that names of different lengths line up;
// longer group ids and names get no alignment blanks.
constexpr std::size_t kRecordNameEndColumn = 11;

std::string asciiUpper(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Appends one line to the layout text: upper-cased as a whole, then LF and CR.
void AdicionarLinhaLayout(std::string &layout, std::string_view linha)
{
    layout += asciiUpper(linha);
    layout += "\n\r";
}

std::string composeLine(std::string_view group, std::string_view record, std::string_view fields,
                        std::string_view tail)
{
    std::string line = "<";
    line += group;
    line += '>';
    const std::size_t used = line.size() + record.size();
    if (used < kRecordNameEndColumn) {
        line.append(kRecordNameEndColumn - used, ' ');
    }
    line += record;
    line += tail;
    while (!fields.empty()) {
        const std::size_t comma = fields.find(',');
        const std::string_view field = trimBlanks(fields.substr(0, comma));
        fields = comma == std::string_view::npos ? std::string_view() : fields.substr(comma + 1);
        line += '|';
        line += field;
        line += kMarcaCampoTXT;
    }
    return line;
}

std::string buildLayoutText(const TxtLayoutVersion &versionTable)
{
    std::string layout;
    AdicionarLinhaLayout(layout, composeLine(versionTable.headerGroup, "NOTA FISCAL", {}, "|1"));
    const std::string versionTail = "|" + std::string(versionTable.version) + "|^id^";
    AdicionarLinhaLayout(layout, composeLine("B01", "A", {}, versionTail));
    for (const TxtLayoutLine &line : versionTable.lines) {
        AdicionarLinhaLayout(layout, composeLine(line.group, line.record, line.fields, line.tail));
    }
    return layout;
}

// Parses one non-empty layout line: the group id between "<" and ">", the
// record name after ">" up to the first "|" without the alignment blanks, and
// the name of every placeholder after it.
TxtLayoutRecord parseLine(std::string_view line, int lineNumber)
{
    TxtLayoutRecord record;
    record.line = lineNumber;
    const std::size_t close = line.find('>');
    if (line.starts_with('<') && close != std::string_view::npos) {
        record.groupId = line.substr(1, close - 1);
        line.remove_prefix(close + 1);
    }
    const std::size_t bar = line.find('|');
    record.name = trimBlanks(line.substr(0, bar));
    if (bar == std::string_view::npos) {
        return record;
    }
    std::string_view rest = line.substr(bar + 1);
    if (rest.find(kMarcaCampoTXT) == std::string_view::npos) {
        record.tail = line.substr(bar);
        return record;
    }
    while (true) {
        const std::size_t next = rest.find('|');
        const std::string_view segment = rest.substr(0, next);
        if (segment.ends_with(kMarcaCampoTXT)) {
            record.fields.emplace_back(segment.substr(0, segment.size() - 1));
        }
        if (next == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(next + 1);
    }
    return record;
}

} // namespace

int TxtLayoutRecord::fieldPosition(std::string_view field) const
{
    const std::string wanted = asciiUpper(field);
    const auto found = std::find(fields.begin(), fields.end(), wanted);
    return found == fields.end() ? 0 : static_cast<int>(found - fields.begin()) + 1;
}

TxtLayout::TxtLayout(std::string_view version, std::string text) : version_(version), text_(std::move(text))
{
    // Lines end at CR, at LF or at CR LF; the empty lines between them carry
    // nothing and are skipped.
    std::string_view rest = text_;
    int lineNumber = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (!line.empty()) {
            records_.push_back(parseLine(line, ++lineNumber));
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    for (const TxtLayoutRecord &record : records_) {
        byName_.emplace(record.name, &record);
        byGroup_[record.groupId].push_back(&record);
    }
}

const TxtLayoutRecord *TxtLayout::findRecord(std::string_view name) const
{
    const auto found = byName_.find(asciiUpper(name));
    return found == byName_.end() ? nullptr : found->second;
}

std::span<const TxtLayoutRecord *const> TxtLayout::recordsOfGroup(std::string_view groupId) const
{
    const auto found = byGroup_.find(asciiUpper(groupId));
    if (found == byGroup_.end()) {
        return {};
    }
    return found->second;
}

const TxtLayout *txtLayout(std::string_view versao)
{
    static const TxtLayout v110(txtLayoutV110().version, buildLayoutText(txtLayoutV110()));
    static const TxtLayout v200(txtLayoutV200().version, buildLayoutText(txtLayoutV200()));
    static const TxtLayout v310(txtLayoutV310().version, buildLayoutText(txtLayoutV310()));
    static const TxtLayout v400(txtLayoutV400().version, buildLayoutText(txtLayoutV400()));
    for (const TxtLayout *layout : {&v110, &v200, &v310, &v400}) {
        if (versao == layout->version()) {
            return layout;
        }
    }
    return nullptr;
}

std::string ObterLayoutTXT(std::string_view versao)
{
    const TxtLayout *layout = txtLayout(versao);
    return layout == nullptr ? std::string() : layout->text();
}
