#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Scripted answers: per payload root, a queue of answers given in order to
// the next requests of that root, before the defaults take over again.
// Implemented in script.cpp.

namespace testsupport::fakesefaz {

struct ScriptedAnswer {
    int cStat = 0;        // 0: the default cStat
    bool http500 = false; // HTTP 500 with a SOAP Fault
    bool empty = false;   // HTTP 200 with an empty body
    bool reset = false;   // the connection is reset, nothing answered
    std::chrono::milliseconds delay{0};
    bool prefixedResult = false; // "ns1:nfeResultMsg"
    bool escapedPayload = false; // the payload as escaped text
    std::string soapPrefix{};    // another prefix for Envelope and Body
    bool reverseEvents = false;  // event results in reverse order
    int eventStatus = 0;         // cStat of every event result; 0: 135
};

// One answer token: a cStat, "http500", "empty", "reset", "delay=<seconds>",
// "prefixed", "escaped", "soap=<prefix>", "reverse", "event=<cStat>", several joined by "+"
// ("105+delay=1"). nullopt for an unknown token.
std::optional<ScriptedAnswer> parseScriptedAnswer(std::string_view token);

class ScriptQueues {
  public:
    void push(std::string root, ScriptedAnswer answer)
    {
        queues_[std::move(root)].push_back(std::move(answer));
    }
    // A script line "<payload root> <answer>..."; blank lines and lines
    // starting with '#' add nothing. Returns the problem, empty when read.
    std::string addLine(std::string_view line);
    // The next scripted answer of the root; nullopt when its queue is empty.
    std::optional<ScriptedAnswer> next(const std::string &root);

  private:
    std::map<std::string, std::deque<ScriptedAnswer>> queues_;
};

} // namespace testsupport::fakesefaz
