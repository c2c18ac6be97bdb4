#pragma once

#include <string>
#include <string_view>

#include "tests/support/fake_sefaz/services.h"
#include "tests/support/fake_sefaz/xml_tree.h"

// The SOAP 1.2 side of the fake: reading a request envelope down to its
// payload, and writing answer and fault envelopes. Implemented in
// soap_envelope.cpp.

namespace testsupport::fakesefaz {

struct SoapRequest {
    // Empty when the envelope is sound; else what is wrong with it (the
    // payload may still have been found).
    std::string problem;
    std::string bodyElement; // "nfeDadosMsg", "nfeDadosMsgZip", ...
    std::string root;        // local name of the payload root
    const ServiceInfo *service = nullptr;
    XmlDoc payload; // the payload as a document of its own
};

// Checks the envelope (SOAP 1.2 namespace; no Header at layout 4.00, else
// cUF then versaoDados; body element and its xmlns = the service's WSDL
// namespace) and digs out the payload: through "nfeDadosMsg",
// "nfeDistDFeInteresse", the "consultaCadastro" wrapper of one state, or the
// Base64 gzip of "nfeDadosMsgZip".
SoapRequest readSoapRequest(std::string_view body);

// How an answer envelope is written; the defaults are the usual ones.
struct AnswerStyle {
    std::string soapPrefix = "soap"; // prefix of Envelope and Body
    bool prefixedResult = false;     // "<ns1:nfeResultMsg xmlns:ns1=...>"
    bool escapedPayload = false;     // the payload as escaped text, not as elements
};

std::string soapAnswer(const ServiceInfo &service, std::string_view payload, const AnswerStyle &style = {});
std::string soapFault(std::string_view reason);

} // namespace testsupport::fakesefaz
