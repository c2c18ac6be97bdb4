#pragma once

#include <string>
#include <string_view>
#include <vector>

// A Windows INI file read and written the way the suite's other programs
// expect: "[section]" lines, "key=value" lines, comments and any other line
// kept as they are.
//
// - Section and key names compare without regard to case (A-Z and the
//   accented letters of Windows-1252) and without the blanks around them.
//   Values are read without the blanks around them and without one pair of
//   double or single quotes enclosing the whole value.
// - The file is read afresh by every call (other programs may change it), so
//   an object only holds the file's name, which may be a stored Windows path
//   (mapped by localPath). A missing or unreadable file reads as empty.
// - Bytes in: a UTF-8 byte-order mark or valid UTF-8 with non-ASCII text is
//   UTF-8, anything else Windows-1252. Writes keep the file's encoding, its
//   byte-order mark and its line breaks; a new file is Windows-1252 with
//   CR LF. Characters Windows-1252 cannot hold are written as "?".
// - A section, key or value that would break the file apart (a line break,
//   "]" in a section, "=" in a key) raises FileWriteError; nothing is written.
// - Every write replaces the file through a temporary name in the same folder
//   (never a half-written file); the folder is not created. A failure raises
//   FileWriteError (file_utils.h) and leaves the file as it was.
class IniFile {
  public:
    explicit IniFile(std::string_view fileName);

    const std::string &fileName() const { return fileName_; }

    // The value of the key in the section; the default when the key is absent.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    bool SectionExists(std::string_view section) const;
    // The key names of a section, as written, in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;

    // Sets the value: the key's line is rewritten in place (keeping its name
    // as written), a new key goes after the section's last key, a new section
    // at the end of the file.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

  private:
    std::string fileName_;
};
