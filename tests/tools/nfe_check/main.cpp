#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/backends.h"
#include "printing/device/usb_printer_hooks.h"
#include "program/version.h"
#include "verbs.h"

namespace {

void printHelp()
{
    std::printf("Usage: nfe-check <verb> [arguments...]\n"
                "       nfe-check --help | --version\n\n"
                "Drives the fiscal-document libraries from the command line.\n");
    if (!allVerbs().empty())
        std::printf("\nVerbs:\n");
    for (const Verb &verb : allVerbs())
        std::printf("  %s %s\n      %s\n", verb.name, verb.usage, verb.summary);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        printHelp();
        return 2;
    }
    std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("nfe-check %s\n", kProgramVersion);
        return 0;
    }
    RegistraBackendsDFe();
    RegistrarHooksUSB();
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Verb &verb : allVerbs()) {
        if (first == verb.name)
            return verb.run(args);
    }
    std::fprintf(stderr, "nfe-check: unknown verb \"%s\"; see nfe-check --help\n", argv[1]);
    return 2;
}
