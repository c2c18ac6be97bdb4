#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// The folder of the official NF-e schemas (shared/schemas/PL_009_V4), found
// beside the source tree or beside one of its parent folders (a worktree
// keeps the shared folder one level further up); empty when there is none.
std::filesystem::path officialSchemaDir();

// Validates the XML text with `xmllint --noout --schema`; empty when valid,
// otherwise xmllint's report.
std::string schemaProblems(const std::string &xml, const std::filesystem::path &xsd);

// Signs the element whose Id attribute the enveloped template `signature`
// refers to, with a throw-away RSA key and self-signed certificate made by
// openssl: inserts the template right before `closingTag` (such as "</NFe>")
// and runs `xmlsec1 --sign --id-attr:Id <idElement>`. Returns the signed
// text without the XML declaration that xmlsec1 adds; throws
// std::runtime_error with the tools' output when a step fails.
std::string signWithThrowAwayKey(const std::string &xml, const std::string &signature,
                                 const std::string &closingTag, const std::string &idElement);

} // namespace testsupport
