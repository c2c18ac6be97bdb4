#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/files/detail/ini_lines.h"

// The in-memory form of an INI file: the same names, comments, encodings and
// line rules as IniFile (ini_file.h), but the lines are read once and every
// change stays in memory until UpdateFile writes them back.
//
// - Built from a file (read when constructed; a missing file is empty) or
//   from text lines (SetStrings). The file name may be a stored Windows path.
// - Integers are decimal text (a value that is not a whole number reads as
//   the default); booleans are written 1 or 0 and read as any whole number
//   other than 0 (text that is not a number reads as the default).
// - WriteString refuses a name or value that would break the lines apart
//   with FileWriteError and changes nothing.
// - UpdateFile replaces the file through a temporary name in the same folder
//   (never a half-written file), in the encoding and line breaks it was read
//   with (a new file: Windows-1252, CR LF); FileWriteError on failure, the
//   file left as it was.
class MemIniFile {
  public:
    explicit MemIniFile(std::string_view fileName = "");

    const std::string &fileName() const { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    bool SectionExists(std::string_view section) const;
    // The key names of a section, as written, in order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // The section names, as written, in order.
    std::vector<std::string> ReadSections() const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole content as UTF-8 lines; SetStrings replaces it.
    const std::vector<std::string> &GetStrings() const { return text_.lines; }
    void SetStrings(std::vector<std::string> lines);

    void UpdateFile() const;

  private:
    std::string fileName_;
    ini_detail::IniText text_;
};
