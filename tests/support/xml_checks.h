#pragma once

#include <filesystem>
#include <string>

// Checks of XML texts through the independent tools: xmllint for
// well-formedness, canonical form and schema validation, xmlsec1 for signing.
namespace testsupport {

// True when xmllint is on PATH (tests skip otherwise).
bool xmllintAvailable();
// Empty when the text is well-formed XML; else xmllint's complaint.
std::string wellFormedProblem(const std::string &xml);
// The canonical form (Canonical XML 1.0, without comments) of a document.
std::string canonicalXml(const std::string &xml);
// The number of XML declarations ("<?xml") in the text.
int xmlDeclarationCount(const std::string &xml);

// The folder of the official NF-e schemas: schemas/PL_009_V4 of the source
// tree, or else a shared/schemas/PL_009_V4 beside it or beside one of its
// parent folders; empty when there is none.
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
