#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/fake_sefaz/schema_check.h"
#include "tests/support/fake_sefaz/soap_envelope.h"

// Judges the payload of a sound envelope as the authority would before
// answering: its official schema (events by their kind's envelope schema; the
// CSC message, which has none, field by field), every signature, and the
// client certificate's CNPJ root against the emitter's. Implemented in
// request_judge.cpp.

namespace testsupport::fakesefaz {

struct Judgement {
    std::vector<std::string> verdicts; // one line per check, "schema: ok" ...
    int rejection = 0;                 // 0, or the cStat the request earns (215, 225, 297, 213)
};

class RequestJudge {
  public:
    // Raises std::runtime_error when the folder holds no official schemas.
    explicit RequestJudge(std::filesystem::path schemas) : schemas_(std::move(schemas)) {}

    // `clientSubject` (RFC 2253) and `clientCertificatePem` are the client
    // certificate's; its CNPJ comes from the CN ending in ":<CNPJ>", else
    // from its ICP-Brasil other name (see certificateCnpj). Without a CNPJ
    // the root is not compared.
    Judgement judge(const SoapRequest &request, std::string_view clientSubject,
                    std::string_view clientCertificatePem = {}) const;

  private:
    SchemaCheck schemas_;
};

// The schema file of an event batch: its kind's envelope schema by the first
// event's tpEvento, the generic one for kinds without their own.
std::string eventSchema(std::string_view tpEvento);

} // namespace testsupport::fakesefaz
