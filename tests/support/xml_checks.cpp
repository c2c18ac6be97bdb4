#include "tests/support/xml_checks.h"

#include <stdexcept>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

bool xmllintAvailable()
{
    return hasProgram("xmllint");
}

std::string wellFormedProblem(const std::string &xml)
{
    const auto result = runCommand({"xmllint", "--noout", "--nonet", "-"}, xml);
    return result.exitCode == 0 ? std::string() : "xmllint: " + result.err;
}

std::string canonicalXml(const std::string &xml)
{
    const auto result = runCommand({"xmllint", "--nonet", "--c14n", "-"}, xml);
    return result.exitCode == 0 ? result.out : "xmllint failed: " + result.err;
}

int xmlDeclarationCount(const std::string &xml)
{
    int count = 0;
    for (std::size_t at = xml.find("<?xml"); at != std::string::npos; at = xml.find("<?xml", at + 1))
        ++count;
    return count;
}

std::filesystem::path officialSchemaDir()
{
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::absolute(sourceDir(), ignored);
    // The schemas ship with the source tree; a shared copy beside it is the fallback.
    const std::filesystem::path shipped = folder / "schemas" / "PL_009_V4";
    if (std::filesystem::is_directory(shipped, ignored))
        return shipped;
    for (int level = 0; level < 3 && !folder.empty(); ++level) {
        const std::filesystem::path candidate = folder.parent_path() / "shared" / "schemas" / "PL_009_V4";
        if (std::filesystem::is_directory(candidate, ignored))
            return candidate;
        if (folder == folder.parent_path())
            break;
        folder = folder.parent_path();
    }
    return {};
}

std::string schemaProblems(const std::string &xml, const std::filesystem::path &xsd)
{
    TempDir folder;
    const std::filesystem::path file = folder.write("document.xml", xml);
    const CommandResult result = runCommand({"xmllint", "--noout", "--schema", xsd.string(), file.string()});
    if (result.exitCode == 0)
        return {};
    return result.err.empty() ? "xmllint exit " + std::to_string(result.exitCode) : result.err;
}

std::string signWithThrowAwayKey(const std::string &xml, const std::string &signature,
                                 const std::string &closingTag, const std::string &idElement)
{
    const std::size_t end = xml.rfind(closingTag);
    if (end == std::string::npos)
        throw std::runtime_error("no " + closingTag + " to sign before");
    TempDir folder;
    const std::filesystem::path toSign =
        folder.write("unsigned.xml", xml.substr(0, end) + signature + xml.substr(end));
    const std::string key = (folder.path() / "key.pem").string();
    const std::string certificate = (folder.path() / "cert.pem").string();
    const std::string output = (folder.path() / "signed.xml").string();

    const CommandResult made =
        runCommand({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out",
                    certificate, "-subj", "/CN=TESTE DE ASSINATURA", "-days", "2"});
    if (made.exitCode != 0)
        throw std::runtime_error("openssl: " + made.err);
    const CommandResult signedRun =
        runCommand({"xmlsec1", "--sign", "--privkey-pem", key + "," + certificate, "--id-attr:Id", idElement,
                    "--output", output, toSign.string()});
    if (signedRun.exitCode != 0)
        throw std::runtime_error("xmlsec1: " + signedRun.err);

    std::string text = readFile(output);
    if (text.starts_with("<?xml")) {
        const std::size_t declarationEnd = text.find("?>");
        text.erase(0, declarationEnd + 2);
        while (!text.empty() && (text.front() == '\n' || text.front() == '\r'))
            text.erase(0, 1);
    }
    return text;
}

} // namespace testsupport
