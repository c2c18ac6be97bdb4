#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/fake_sefaz/request_judge.h"
#include "tests/support/fake_sefaz/script.h"
#include "tests/support/fake_sefaz/sefaz_state.h"
#include "tests/support/http_test_server.h"

// A fake tax authority on 127.0.0.1 for tests and offline runs: it takes the
// SOAP 1.2 requests of every NF-e service, judges each payload by its official
// schema, its signatures and the client certificate, and answers what the
// authority would (or what a script asks), recording every exchange.
//
// Requests are dispatched by their payload root, not by the URL path, so a
// request sent to the wrong endpoint is still answered and its path recorded.

namespace testsupport {

struct FakeSefazOptions {
    // Folder of the official schemas; empty: officialSchemaDir().
    std::filesystem::path schemas;
    // The connection streams; null: TLS with the test PKI's server
    // certificate, demanding a client certificate of the test CA.
    TestStreamFactory streams;
    std::string scheme = "https";
    int port = 0; // 0: a free one
    // Told of each exchange once it is answered (on the server's thread).
    std::function<void(const struct FakeSefazExchange &)> observer;
};

struct FakeSefazExchange {
    std::string path;
    std::string soapAction;    // as sent (Content-Type action or SOAPAction header)
    std::string root;          // payload root; empty when none was found
    std::string clientSubject; // of the client certificate
    std::vector<std::string> verdicts;
    int cStat = 0;      // of the answer; 0 when none was given
    int httpStatus = 0; // 0 for a reset connection
    std::string answer; // the HTTP body sent
};

class FakeSefaz {
  public:
    // Raises std::runtime_error when the schemas or the credentials cannot be read.
    explicit FakeSefaz(FakeSefazOptions options = {});
    ~FakeSefaz();
    FakeSefaz(const FakeSefaz &) = delete;
    FakeSefaz &operator=(const FakeSefaz &) = delete;

    int port() const { return server_->port(); }
    std::string baseUrl() const { return server_->baseUrl(); }
    std::string url(std::string_view path) const { return server_->url(path); }
    // The services INI pointing every endpoint at this server.
    std::string servicesIni() const;

    // Queues answers for the next requests of a payload root.
    void script(const std::string &root, const std::vector<fakesefaz::ScriptedAnswer> &answers);
    // A script line "<payload root> <answer>..."; returns the problem, empty when read.
    std::string scriptLine(std::string_view line);
    // The protocol of the note with this key gets this cStat (539...).
    void setProtocolStatus(const std::string &chave, int cStat);

    std::vector<FakeSefazExchange> exchanges() const;
    void stop() { server_->stop(); }

  private:
    HttpTestResponse handle(const HttpTestRequest &request);
    HttpTestResponse answer(const HttpTestRequest &request, FakeSefazExchange &exchange);

    FakeSefazOptions options_;
    fakesefaz::RequestJudge judge_;
    mutable std::mutex mutex_;
    fakesefaz::SefazState state_;
    fakesefaz::ScriptQueues scripts_;
    std::vector<FakeSefazExchange> exchanges_;
    std::unique_ptr<HttpTestServer> server_;
};

} // namespace testsupport
