#pragma once

#include <string>

// The XML-DSig block of a fiscal document: the values of a signature that is
// already known (reference, digest, signature and the signer's certificate).
class TSignature {
public:
    std::string URI; // the Reference URI, leading "#" included
    std::string DigestValue;
    std::string SignatureValue;
    std::string X509Certificate;

    // Copies the four values.
    void Assign(const TSignature &source);
};
