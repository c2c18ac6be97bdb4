#pragma once

#include <string>
#include <string_view>

#include "dfe/xmlsign/xmldsig_crypto.h"
#include "foundation/fiscal/ssl_dgst.h"

// Enveloped XML signatures (inclusive canonical XML 1.0, RSA with SHA-1,
// SHA-256 or SHA-512) made and checked with libxml2; the digests and RSA
// come from an XmlDsigCrypto. Every call parses with network access off, no
// DTD loading and no external entity read; libxml2's errors are collected
// per call and end messages as " --> code - message".

struct XmlSignRequest {
    std::string_view conteudoXml;
    std::string_view docElement;     // element that receives the Signature ("NFe"); empty: the root
    std::string_view infElement;     // element signed ("infNFe"); empty: the whole document
    std::string_view idSignature;    // extra text for the Signature start tag
    std::string_view nomeAtributoId; // attribute holding the Id (empty: "Id")
    TSSLDgst digest = dgstSHA1;
};

// The document with one Signature as the last child of `docElement` (any
// signature of `infElement` already there is replaced), on one line. Line
// breaks of the input are removed before parsing, so what is digested is what
// is returned; a line break given as a character reference stays one. Input
// without an XML declaration declaring UTF-8 comes back without declaration;
// one declaring it comes back with libxml2's UTF-8 declaration. Empty
// elements are written as a start and an end tag. The Reference URI is "#" +
// the Id found after the start of `docElement`; without an Id it is empty
// and the whole document is signed. Raises EQuibDFeException with the
// messages of the signing back-end, and passes on the crypto's errors.
std::string signXml(const XmlSignRequest &request, XmlDsigCrypto &crypto);

// Checks the signature of `infElement`: true when its digest and its RSA
// signature (under the certificate inside it) match. False with a message
// for an unreadable document, a missing root or signature and a changed
// digest; false with an empty message for a wrong signature value. Raises
// only for an unsupported signature method and the crypto's errors. The
// crypto's certificate is released afterwards in every case.
bool verifyXmlSignature(std::string_view conteudoXml, std::string &msgErro, std::string_view infElement,
                        XmlDsigCrypto &crypto);
