#pragma once

#include <span>
#include <string>

// One command of nfe-check: `nfe-check <name> <arguments...>`.
struct Verb {
    const char *name;
    const char *usage;   // argument synopsis shown by --help
    const char *summary; // one line shown by --help
    int (*run)(std::span<const std::string> args);
};

// Every verb the tool knows, in the order --help lists them.
std::span<const Verb> allVerbs();
