#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/pem_key_crypto.h"

// Shared pieces of the XML signature tests: the sample documents of
// tests/dfe/data and xmlsec1 as the independent judge, with the throw-away
// key of testsupport.
namespace xmlsigntest {

using testsupport::PemKeyCrypto;
using testsupport::throwAwayKey;

// A document of tests/dfe/data.
std::string sample(std::string_view name);
std::filesystem::path schemaFile(std::string_view name);

// Empty when `xmlsec1 --verify --id-attr:Id <idElement>` accepts the signed
// text with the throw-away certificate as trusted; otherwise its report.
std::string xmlsecRejects(const std::string &signedXml, std::string_view idElement);
// The text xmlsec1 --sign writes for a document that already holds the
// template, with the throw-away key.
std::string xmlsecSigned(const std::string &templateXml, std::string_view idElement);
// The text of the first element `name` (blanks and line breaks removed).
std::string elementText(const std::string &xml, std::string_view name);

} // namespace xmlsigntest
