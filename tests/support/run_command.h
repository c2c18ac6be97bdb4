#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct CommandResult {
    int exitCode = -1; // the program's exit status, or -1 when it did not run or was killed
    std::string out;   // standard output
    std::string err;   // standard error
};

// Runs a program (searched on PATH) with the given arguments, feeding `input`
// on its standard input, and collects its outputs. No shell is involved.
CommandResult runCommand(const std::vector<std::string> &argv, const std::string &input = {});

// True when the program is found on PATH.
bool hasProgram(const std::string &name);

} // namespace testsupport
