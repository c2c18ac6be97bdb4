#pragma once

#include <string>
#include <vector>

#include "tests/support/test_pki.h"

// What the fake tax authority's tests send and read: SOAP 1.2 envelopes, a
// POST through curl with a client certificate, the message inside an answer,
// payloads signed by xmlsec1 with the test PKI's key, and the documents of a
// distribution answer unpacked by base64 and gunzip. Implemented in
// fake_sefaz_client.cpp.

namespace fakesefaztest {

inline const std::string kNs = "http://www.portalfiscal.inf.br/nfe";

std::string envelope(const std::string &wsdl, const std::string &payload,
                     const std::string &bodyElement = "nfeDadosMsg");

// An enviNFe of one note (indSinc "0": asynchronous) in its envelope.
std::string batch(const std::string &note, const std::string &indSinc = "0");
// A distDFeInt by NSU for CNPJ 11444777000161 in its envelope.
std::string distribution(const std::string &ultNSU = "000000000000000");

struct Reply {
    int exitCode = -1;
    std::string body;
};

// POSTs the body with curl; `client` null sends no client certificate.
Reply post(const std::string &url, const std::string &body, const TestCert *client = &testPki().ecnpj);

// The message inside nfeResultMsg; empty when there is none.
std::string result(const std::string &answer);
// The first cStat of the text (the message's own); 0 when none.
int cStatOf(const std::string &xml);
// Every cStat of the text, in order.
std::vector<int> cStatsOf(const std::string &xml);
// xmllint's complaint against the official schema of that name; empty when valid.
std::string validate(const std::string &xml, const std::string &schema);

// Signs with `xmlsec1 --sign` and the test PKI's e-CNPJ key the element named
// `idElement` (its Id attribute registered) of a text holding a signature
// template. The signed text without the XML declaration; throws
// std::runtime_error when xmlsec1 fails.
std::string signWithTestKey(const std::string &unsignedText, const std::string &idElement);

// The note of the signing template, signed; `changeAfterSigning` replaces
// "EMPRESA DE TESTE" once signed (a tampered note).
std::string signedNote(const std::string &changeAfterSigning = {});

// A document of a distribution answer: the schema named by its docZip and
// its text as `base64 -d | gunzip` give it.
struct DistributedDocument {
    std::string schema;
    std::string xml;
};
std::vector<DistributedDocument> distributedDocuments(const std::string &answer);

} // namespace fakesefaztest
