#pragma once

#include <map>
#include <string>

#include "tests/support/http_test_server.h"

namespace testsupport {

// The statistics institute's locality service on loopback: the 27 states
// (gzip-compressed by the real gzip program when the request accepts it),
// and a few municipalities of SP (35), MG (31), PB (25), RJ (33) and MT (51);
// the other states have none. One MT municipality comes without its
// microregion, as the real service has sent some.
class IbgeFakeService {
  public:
    IbgeFakeService();

    std::string baseUrl() const { return server_.baseUrl(); }
    HttpTestServer &server() { return server_; }
    void stop() { server_.stop(); }

    static constexpr const char *kStatesPath = "/api/v1/localidades/estados/";
    static constexpr const char *kAllPath = "/api/v1/localidades/municipios";
    static std::string statePath(int stateCode);

    int statesRequests() const { return server_.countRequests(kStatesPath); }
    int stateRequests(int stateCode) const { return server_.countRequests(statePath(stateCode)); }
    int allRequests() const { return server_.countRequests(kAllPath); }
    int totalRequests() const { return static_cast<int>(server_.requests().size()); }

    // Paths answered with this status instead of their data.
    std::map<std::string, int> failures;

  private:
    HttpTestResponse answer(const HttpTestRequest &request);

    HttpTestServer server_;
};

} // namespace testsupport
