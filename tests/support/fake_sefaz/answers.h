#pragma once

#include <string>

#include "tests/support/fake_sefaz/sefaz_state.h"
#include "tests/support/fake_sefaz/soap_envelope.h"

// The answer message of each service, built from the request and what the
// fake holds, and the holding of what an answer grants (authorised notes,
// receipts, registered events, documents to distribute). Implemented in
// answers.cpp.

namespace testsupport::fakesefaz {

struct AnswerOptions {
    int cStat = 0;              // the answer's cStat; 0: the default of the request
    bool reverseEvents = false; // event results in the reverse order of the events
    int eventStatus = 0;        // cStat of every event result; 0: 135
    std::string cUF = "35";     // state of the answer when the request names none
};

struct Answer {
    std::string xml; // the answer message (no declaration)
    int cStat = 0;
};

// Every root that serviceOfRoot() knows has an answer.
Answer buildAnswer(SefazState &state, const SoapRequest &request, const AnswerOptions &options);

} // namespace testsupport::fakesefaz
