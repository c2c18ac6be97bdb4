#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// The text of a data file of the tests, named from the tests/ folder of the
// source tree ("nfe/document/data/frame.xml"), without the line break that
// ends the file. Long expected texts live in such files, one text a file.
// Throws std::runtime_error when the file cannot be read.
std::string testData(std::string_view relativePath);

// The raw bytes of a data file of the tests (binary files such as pictures),
// named as for testData. Throws std::runtime_error when unreadable.
std::string testBytes(std::string_view relativePath);

} // namespace testsupport
