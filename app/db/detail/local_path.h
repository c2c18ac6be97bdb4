#pragma once

// The path of a database file that this process opens itself, from the path
// as stored (a Windows path goes through the shared path mapping).
// Implemented in local_path.cpp.

#include <string>
#include <string_view>

namespace db::detail {

// Raises DatabaseError (FileNotFound) when the path names a drive that is
// not mapped.
std::string localDatabasePath(std::string_view stored);

} // namespace db::detail
