#include "foundation/files/detail/ini_lines.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace ini_detail {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool hasNonAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

bool isComment(std::string_view line)
{
    line = trimText(line);
    return line.empty() || line.front() == ';';
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name or value that would break the file's lines apart (and so add or
// hide other keys) is refused before anything is written.
void checkWritable(const std::string &where, std::string_view section, std::string_view key,
                   std::string_view value)
{
    if (trimText(section).empty() || hasLineBreak(section) || section.find(']') != std::string_view::npos)
        throw FileWriteError("Seção inválida \"" + std::string(section) + "\" para o arquivo " + where);
    if (trimText(key).empty() || hasLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimText(key).front() == '[' || trimText(key).front() == ';')
        throw FileWriteError("Chave inválida \"" + std::string(key) + "\" para o arquivo " + where);
    if (hasLineBreak(value))
        throw FileWriteError("O valor da chave \"" + std::string(key) +
                             "\" tem quebra de linha e não pode ser gravado em " + where);
}

} // namespace

IniText decode(std::string bytes)
{
    IniText text;
    if (bytes.starts_with(kBom)) {
        text.bom = true;
        text.utf8 = true;
        bytes.erase(0, kBom.size());
    } else {
        text.utf8 = hasNonAscii(bytes) && utf8Valid(bytes);
    }
    if (const std::size_t lf = bytes.find('\n');
        lf != std::string::npos && (lf == 0 || bytes[lf - 1] != '\r'))
        text.lineBreak = "\n";
    text.lines = splitLines(text.utf8 ? bytes : AnsiParaUTF8(bytes));
    return text;
}

IniText load(const std::string &path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    std::ifstream in(path, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    return decode(in ? std::move(read).str() : std::string());
}

void save(const std::string &path, const IniText &text)
{
    std::string body;
    for (const std::string &line : text.lines)
        body += line + text.lineBreak;
    std::string bytes = text.utf8 ? body : ConvertePaginaCodigo(body, 1252, 0);
    if (text.bom)
        bytes.insert(0, kBom);
    SobrescreveArquivoTexto(path, bytes, false);
}

std::string nameKey(std::string_view name)
{
    return upperWithAccents(trimText(name));
}

std::optional<std::string> sectionOf(std::string_view line)
{
    line = trimText(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(1, close - 1));
}

std::optional<std::string_view> keyOf(std::string_view line)
{
    if (isComment(line))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return line.substr(0, equals);
}

std::string valueOf(std::string_view line)
{
    std::string_view value = trimText(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::optional<SectionRange> findSection(const std::vector<std::string> &lines, std::string_view section)
{
    const std::string wanted = nameKey(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (!name || nameKey(*name) != wanted)
            continue;
        SectionRange range{i, i + 1, i + 1};
        while (range.end < lines.size() && !sectionOf(lines[range.end]))
            ++range.end;
        return range;
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<std::string> &lines, const SectionRange &range,
                                   std::string_view key)
{
    const std::string wanted = nameKey(key);
    for (std::size_t i = range.first; i < range.end; ++i)
        if (const auto name = keyOf(lines[i]); name && nameKey(*name) == wanted)
            return i;
    return std::nullopt;
}

std::optional<std::string> readValue(const std::vector<std::string> &lines, std::string_view section,
                                     std::string_view key)
{
    if (const auto range = findSection(lines, section))
        if (const auto line = findKey(lines, *range, key))
            return valueOf(lines[*line]);
    return std::nullopt;
}

std::vector<std::string> keysOf(const std::vector<std::string> &lines, std::string_view section)
{
    std::vector<std::string> keys;
    if (const auto range = findSection(lines, section))
        for (std::size_t i = range->first; i < range->end; ++i)
            if (const auto name = keyOf(lines[i]))
                keys.emplace_back(trimText(*name));
    return keys;
}

std::vector<std::string> sectionsOf(const std::vector<std::string> &lines)
{
    std::vector<std::string> sections;
    for (const std::string &line : lines)
        if (const auto name = sectionOf(line))
            sections.push_back(*name);
    return sections;
}

void writeValue(std::vector<std::string> &lines, const std::string &where, std::string_view section,
                std::string_view key, std::string_view value)
{
    checkWritable(where, section, key, value);
    const std::string newLine = std::string(trimText(key)) + "=" + std::string(value);
    if (const auto range = findSection(lines, section)) {
        if (const auto line = findKey(lines, *range, key)) {
            lines[*line] = std::string(*keyOf(lines[*line])) + "=" + std::string(value);
        } else {
            std::size_t at = range->end;
            while (at > range->first && trimText(lines[at - 1]).empty())
                --at;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLine);
        }
    } else {
        lines.push_back("[" + std::string(trimText(section)) + "]");
        lines.push_back(newLine);
    }
}

} // namespace ini_detail
