#pragma once

#include <string>

#include <libxml/tree.h>

// Verification of every XML-DSig Signature of a payload with libxmlsec1
// (the key comes from the signature's own X509Certificate; the certificate's
// chain is not judged here). Implemented in signature_check.cpp.

namespace testsupport::fakesefaz {

struct SignatureVerdict {
    int signatures = 0;  // Signature elements found
    std::string problem; // empty when every one verified
};

// Registers every Id attribute of the document as an XML ID, so references
// "#NFe..." resolve, then verifies each Signature. Thread-safe.
SignatureVerdict verifySignatures(xmlDoc *doc);

} // namespace testsupport::fakesefaz
