#pragma once

#include <string>

// Checks of XML texts through xmllint, the independent parser.
namespace xmlcheck {

// True when xmllint is on PATH (tests skip otherwise).
bool available();
// Empty when the text is well-formed XML; else xmllint's complaint.
std::string wellFormedProblem(const std::string &xml);
// The canonical form (Canonical XML 1.0, without comments) of a document.
std::string canonical(const std::string &xml);
// The number of XML declarations ("<?xml") in the text.
int declarationCount(const std::string &xml);

} // namespace xmlcheck
