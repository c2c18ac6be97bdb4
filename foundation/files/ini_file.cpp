#include "foundation/files/ini_file.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The file as lines of UTF-8 text, with what is needed to write it back in
// the form it was found.
struct IniText {
    std::vector<std::string> lines;
    bool utf8 = false;
    bool bom = false;
    std::string lineBreak = "\r\n";
};

bool hasNonAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

IniText load(const std::string &path)
{
    IniText text;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return text;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    std::string bytes = in ? std::move(read).str() : std::string();
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

// The section name of a "[section]" line.
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

bool isComment(std::string_view line)
{
    line = trimText(line);
    return line.empty() || line.front() == ';';
}

// The key of a "key=value" line (before the first "=").
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

// Where a section's lines lie: [first, end) are the lines after its header.
struct SectionRange {
    std::size_t header = 0;
    std::size_t first = 0;
    std::size_t end = 0;
};

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

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name or value that would break the file's lines apart (and so add or
// hide other keys) is refused before anything is written.
void checkWritable(const std::string &path, std::string_view section, std::string_view key,
                   std::string_view value)
{
    if (trimText(section).empty() || hasLineBreak(section) || section.find(']') != std::string_view::npos)
        throw FileWriteError("Seção inválida \"" + std::string(section) + "\" para o arquivo " + path);
    if (trimText(key).empty() || hasLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimText(key).front() == '[' || trimText(key).front() == ';')
        throw FileWriteError("Chave inválida \"" + std::string(key) + "\" para o arquivo " + path);
    if (hasLineBreak(value))
        throw FileWriteError("O valor da chave \"" + std::string(key) +
                             "\" tem quebra de linha e não pode ser gravado em " + path);
}

} // namespace

IniFile::IniFile(std::string_view fileName) : fileName_(fileName) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const IniText text = load(localPath(fileName_));
    if (const auto range = findSection(text.lines, section))
        if (const auto line = findKey(text.lines, *range, key))
            return valueOf(text.lines[*line]);
    return std::string(defaultValue);
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const
{
    const IniText text = load(localPath(fileName_));
    const auto range = findSection(text.lines, section);
    return range && findKey(text.lines, *range, key);
}

bool IniFile::SectionExists(std::string_view section) const
{
    return findSection(load(localPath(fileName_)).lines, section).has_value();
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const
{
    const IniText text = load(localPath(fileName_));
    std::vector<std::string> keys;
    if (const auto range = findSection(text.lines, section))
        for (std::size_t i = range->first; i < range->end; ++i)
            if (const auto name = keyOf(text.lines[i]))
                keys.emplace_back(trimText(*name));
    return keys;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string path = localPath(fileName_);
    checkWritable(path, section, key, value);
    IniText text = load(path);
    const std::string newLine = std::string(trimText(key)) + "=" + std::string(value);
    if (const auto range = findSection(text.lines, section)) {
        if (const auto line = findKey(text.lines, *range, key)) {
            text.lines[*line] = std::string(*keyOf(text.lines[*line])) + "=" + std::string(value);
        } else {
            std::size_t at = range->end;
            while (at > range->first && trimText(text.lines[at - 1]).empty())
                --at;
            text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(at), newLine);
        }
    } else {
        text.lines.push_back("[" + std::string(trimText(section)) + "]");
        text.lines.push_back(newLine);
    }
    save(path, text);
}
