#include "tests/dfe/xmlsign/signing_fixture.h"

#include <stdexcept>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"

namespace xmlsigntest {

std::string sample(std::string_view name)
{
    return testsupport::readFile(testsupport::sourceDir() / "tests" / "dfe" / "data" / std::string(name));
}

std::filesystem::path schemaFile(std::string_view name)
{
    return testsupport::officialSchemaDir() / std::string(name);
}

std::string xmlsecRejects(const std::string &signedXml, std::string_view idElement)
{
    testsupport::TempDir folder;
    const std::filesystem::path file = folder.write("signed.xml", signedXml);
    const testsupport::CommandResult result =
        testsupport::runCommand({"xmlsec1", "--verify", "--trusted-pem", throwAwayKey().certPem,
                                 "--id-attr:Id", std::string(idElement), file.string()});
    return result.exitCode == 0 ? std::string() : "xmlsec1: " + result.err;
}

std::string xmlsecSigned(const std::string &templateXml, std::string_view idElement)
{
    testsupport::TempDir folder;
    const std::filesystem::path file = folder.write("template.xml", templateXml);
    const std::string output = (folder.path() / "signed.xml").string();
    const testsupport::CommandResult result = testsupport::runCommand(
        {"xmlsec1", "--sign", "--privkey-pem", throwAwayKey().keyPem + "," + throwAwayKey().certPem,
         "--id-attr:Id", std::string(idElement), "--output", output, file.string()});
    if (result.exitCode != 0)
        throw std::runtime_error("xmlsec1: " + result.err);
    return testsupport::readFile(output);
}

std::string elementText(const std::string &xml, std::string_view name)
{
    const std::string open = "<" + std::string(name) + ">";
    const std::size_t start = xml.find(open);
    if (start == std::string::npos)
        return {};
    const std::size_t end = xml.find("</" + std::string(name) + ">", start);
    std::string text;
    for (char c : xml.substr(start + open.size(), end - start - open.size())) {
        if (c != ' ' && c != '\r' && c != '\n')
            text += c;
    }
    return text;
}

} // namespace xmlsigntest
