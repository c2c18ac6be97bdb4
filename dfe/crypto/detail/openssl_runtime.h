#pragma once

#include <string>

// The process-wide side of the linked OpenSSL library.

namespace dfe::openssl {

// Loads the "default" and "legacy" providers into the process-wide library
// context, once per process (thread-safe), so that PFX files protected with
// RC2-40 or 3DES open and the older digests are offered. A missing legacy
// provider is not an error here: such files then fail to open like a file with
// a wrong password.
void ensureProviders();

// The library's own version text (name, version and build date).
std::string versionText();

// The library's version number as nine upper-case hexadecimal digits grouped
// "MM.NN.FF.PPS" (0x30000130 gives "03.00.00.130"); the version text's second
// word when the library gives no number.
std::string versionNumberText();

// Empties the calling thread's error queue after a failure that has been
// turned into the system's own message.
void clearErrors();

} // namespace dfe::openssl
