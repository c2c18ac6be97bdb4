#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Points the process at the tests' Firebird root (a private copy of the
// installed Firebird folder in the build tree, shared by the test programs)
// and lock folder, before the first call into the client library. Safe to
// call from every fixture. Programs that run the engine also compile
// firebird_leak_suppressions.cpp.
void useTestFirebird();

// The FIREBIRD and FIREBIRD_LOCK folders useTestFirebird() sets.
std::filesystem::path testFirebirdRoot();
std::filesystem::path testFirebirdLock();

} // namespace testsupport
