#pragma once

#include <string>
#include <string_view>

namespace db {

// A database address as stored ("host:path") resolved to what the client
// library opens.
struct ResolvedAddress {
    bool inProcess = true; // the embedded engine opens the file itself
    std::string name;      // what the client library is given
};

// No host, a drive letter ("C:\...") or host "localhost" (any case, no
// port): the file opens in-process, its path through the path mapping. Any
// other host ("127.0.0.1:...", "server/3051:..."): through that server, the
// path passed as given. Raises DatabaseError (FileNotFound) for a drive that
// is not mapped.
ResolvedAddress resolveAddress(std::string_view stored);

} // namespace db
