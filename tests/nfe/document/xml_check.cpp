#include "xml_check.h"

#include "tests/support/run_command.h"

namespace xmlcheck {

bool available()
{
    return testsupport::hasProgram("xmllint");
}

std::string wellFormedProblem(const std::string &xml)
{
    const auto result = testsupport::runCommand({"xmllint", "--noout", "--nonet", "-"}, xml);
    return result.exitCode == 0 ? std::string() : "xmllint: " + result.err;
}

std::string canonical(const std::string &xml)
{
    const auto result = testsupport::runCommand({"xmllint", "--nonet", "--c14n", "-"}, xml);
    return result.exitCode == 0 ? result.out : "xmllint failed: " + result.err;
}

int declarationCount(const std::string &xml)
{
    int count = 0;
    for (std::size_t at = xml.find("<?xml"); at != std::string::npos; at = xml.find("<?xml", at + 1))
        ++count;
    return count;
}

} // namespace xmlcheck
