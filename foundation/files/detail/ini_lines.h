#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The line rules shared by the file form (ini_file.h) and the in-memory form
// (mem_ini_file.h) of INI files: how a file's bytes become UTF-8 lines and go
// back, which line is a section header, a comment or a key, and how a value is
// set. Implemented in ini_lines.cpp.

namespace ini_detail {

// The lines of an INI text as UTF-8, with what is needed to write it back in
// the form it was found.
struct IniText {
    std::vector<std::string> lines;
    bool utf8 = false;
    bool bom = false;
    std::string lineBreak = "\r\n";
};

// The bytes as lines: a UTF-8 byte-order mark or valid UTF-8 with non-ASCII
// text is UTF-8, anything else Windows-1252.
IniText decode(std::string bytes);
// The file's lines; a missing or unreadable file gives no lines.
IniText load(const std::string &path);
// Writes the lines in the form they were found (replace-by-rename); raises
// FileWriteError and leaves the file as it was on failure.
void save(const std::string &path, const IniText &text);

std::string nameKey(std::string_view name);
std::optional<std::string> sectionOf(std::string_view line);
std::optional<std::string_view> keyOf(std::string_view line);
std::string valueOf(std::string_view line);

// Where a section's lines lie: [first, end) are the lines after its header.
struct SectionRange {
    std::size_t header = 0;
    std::size_t first = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> findSection(const std::vector<std::string> &lines, std::string_view section);
std::optional<std::size_t> findKey(const std::vector<std::string> &lines, const SectionRange &range,
                                   std::string_view key);

// The value of the key, or nullopt when the section or the key is absent.
std::optional<std::string> readValue(const std::vector<std::string> &lines, std::string_view section,
                                     std::string_view key);
// The key names of a section, as written, in order.
std::vector<std::string> keysOf(const std::vector<std::string> &lines, std::string_view section);
// The section names, as written, in order.
std::vector<std::string> sectionsOf(const std::vector<std::string> &lines);

// Sets the value (the key's line rewritten in place, a new key after the
// section's last key, a new section at the end). A name or value that would
// break the lines apart raises FileWriteError naming `where`; nothing changes.
void writeValue(std::vector<std::string> &lines, const std::string &where, std::string_view section,
                std::string_view key, std::string_view value);

} // namespace ini_detail
