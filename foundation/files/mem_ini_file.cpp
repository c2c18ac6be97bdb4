#include "foundation/files/mem_ini_file.h"

#include <charconv>

#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

using namespace ini_detail;

namespace {

bool parseInteger(std::string_view text, int &value)
{
    text = trimText(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

MemIniFile::MemIniFile(std::string_view fileName) : fileName_(fileName)
{
    if (!fileName_.empty())
        text_ = load(localPath(fileName_));
}

std::string MemIniFile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const
{
    return readValue(text_.lines, section, key).value_or(std::string(defaultValue));
}

int MemIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    int value = 0;
    const auto text = readValue(text_.lines, section, key);
    return text && parseInteger(*text, value) ? value : defaultValue;
}

bool MemIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    int value = 0;
    const auto text = readValue(text_.lines, section, key);
    return text && parseInteger(*text, value) ? value != 0 : defaultValue;
}

bool MemIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return readValue(text_.lines, section, key).has_value();
}

bool MemIniFile::SectionExists(std::string_view section) const
{
    return findSection(text_.lines, section).has_value();
}

std::vector<std::string> MemIniFile::ReadSection(std::string_view section) const
{
    return keysOf(text_.lines, section);
}

std::vector<std::string> MemIniFile::ReadSections() const
{
    return sectionsOf(text_.lines);
}

void MemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    writeValue(text_.lines, fileName_.empty() ? std::string("(memória)") : fileName_, section, key, value);
}

void MemIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void MemIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void MemIniFile::SetStrings(std::vector<std::string> lines)
{
    text_.lines = std::move(lines);
}

void MemIniFile::UpdateFile() const
{
    save(localPath(fileName_), text_);
}
