#pragma once

// Where the tests of nfe-check find the tool and their sample files.

#include <string>

#include "tests/support/temp_dir.h"

namespace nfe_check_test {

// The nfe-check program of the build.
inline std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

// A file of tests/tools/data.
inline std::string dataFile(const std::string &name)
{
    return (testsupport::sourceDir() / "tests" / "tools" / "data" / name).string();
}

} // namespace nfe_check_test
