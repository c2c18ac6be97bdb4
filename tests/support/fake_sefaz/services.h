#pragma once

#include <string>
#include <string_view>

// What the fake knows of each tax-authority service, by the root element of
// the message it takes. Implemented in services.cpp.

namespace testsupport::fakesefaz {

inline constexpr std::string_view kNfeNamespace = "http://www.portalfiscal.inf.br/nfe";
inline constexpr std::string_view kSoap12Namespace = "http://www.w3.org/2003/05/soap-envelope";

struct ServiceInfo {
    std::string_view root;     // payload root, "consStatServ"
    std::string_view wsdlName; // "NFeStatusServico4": the namespace is kNfeNamespace + "/wsdl/" + this
    std::string_view schema;   // schema file of the payload; empty: checked by hand
    int schemaFailure;         // the cStat of a payload the schema refuses
};

// Null for a root the fake does not serve.
const ServiceInfo *serviceOfRoot(std::string_view root);
std::string wsdlNamespace(const ServiceInfo &service);

// The answer text of a cStat (UTF-8, accented); a generic text for codes the
// fake does not know.
std::string motivo(int cStat);

} // namespace testsupport::fakesefaz
