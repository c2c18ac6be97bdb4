#pragma once

#include <string>

namespace db {

// User and password given to a Firebird server; the embedded engine ignores
// them. shell() gives the shell's configured account.
struct Credentials {
    std::string user;
    std::string password;
    static Credentials shell();
};

} // namespace db
