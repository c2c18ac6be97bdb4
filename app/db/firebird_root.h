#pragma once

#include <string>

namespace db {

// Where the Firebird client library of this process looks for its engine,
// configuration and lock files.
struct FirebirdEnvironment {
    std::string root; // the FIREBIRD folder
    std::string lock; // the FIREBIRD_LOCK folder
};

// Sets FIREBIRD and FIREBIRD_LOCK for this process unless the environment
// already sets them, and returns both. The defaults are a private Firebird
// root in the per-user data folder ("firebird/": a real copy of the
// installed Firebird folder, made when missing, whose firebird.conf adds
// "ServerMode = SuperClassic" so that two processes can open one file) and
// the lock folder "firebird-lock/" beside it. Must run before the first call
// into the client library; detail::master() calls it. Raises DatabaseError
// when the installed Firebird folder is not found or cannot be copied.
FirebirdEnvironment prepareFirebirdEnvironment();

// Makes a private Firebird root at `root` from the installed folder
// `installed` when `root` has no firebird.conf yet. The copy is made in a
// temporary folder beside it and renamed into place, so a half-made root is
// never used.
void makePrivateFirebirdRoot(const std::string &installed, const std::string &root);

// The folder of the installed Firebird (the one holding plugins/ and intl/).
std::string installedFirebirdRoot();

} // namespace db
