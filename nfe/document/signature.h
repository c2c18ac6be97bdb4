#pragma once

#include <string>

#include "foundation/xml/gerador.h"

// The XML-DSig block of a fiscal document as the models hold it: the values
// of a signature that is already known (reference, digest, signature and the
// signer's certificate) and the writer that turns them into a complete
// `Signature` element with fixed algorithms (Canonical XML 1.0, enveloped
// signature, RSA-SHA1, SHA-1). Signing itself belongs to the signing layer.
class TSignature {
  public:
    TSignature() = default;
    TSignature(const TSignature &) = delete;
    TSignature &operator=(const TSignature &) = delete;

    // The writer of the block's XML; the caller sets its IdentarXML option.
    TGerador Gerador;
    std::string URI; // the Reference URI, written unchanged ("#" included)
    std::string DigestValue;
    std::string SignatureValue;
    std::string X509Certificate;

    // Writes the block into Gerador.ArquivoFormatoXML (replaced); true when
    // Gerador.ListaDeAlertas is empty afterwards. Every call writes the same
    // block from the same values and options: a clean writer with Gerador's
    // options, prefix and tag lists writes it, and Gerador takes only its
    // output and its alerts (Gerador's own depth and open groups stay as they
    // were).
    // The alert list is the caller's to clear, so alerts of an earlier call
    // keep the answer false.
    bool MontarXml();

    // Copies the four values; the own writer stays in place.
    void Assign(const TSignature &source);
};
