#include "foundation/files/ini_file.h"

#include "foundation/files/detail/ini_lines.h"
#include "foundation/files/windows_paths.h"

using namespace ini_detail;

IniFile::IniFile(std::string_view fileName) : fileName_(fileName) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    return readValue(load(localPath(fileName_)).lines, section, key).value_or(std::string(defaultValue));
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return readValue(load(localPath(fileName_)).lines, section, key).has_value();
}

bool IniFile::SectionExists(std::string_view section) const
{
    return findSection(load(localPath(fileName_)).lines, section).has_value();
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const
{
    return keysOf(load(localPath(fileName_)).lines, section);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string path = localPath(fileName_);
    IniText text = load(path);
    writeValue(text.lines, path, section, key, value);
    save(path, text);
}
