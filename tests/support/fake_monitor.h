#pragma once

// The fake document monitor: the test peer that answers the request files the
// monitor client writes into an exchange folder. Implemented by
// fake_monitor.cpp (watching, recording, answer delivery),
// fake_monitor/request_files.cpp (names and request lines),
// fake_monitor/export_check.cpp (export files read by the TXT reader),
// fake_monitor/answers.cpp (answer contents and access keys) and
// fake_monitor/script.cpp (script lines).
//
// For an exchange folder F (a Linux folder or a stored Windows path such as
// "C:\Monitor\", mapped as the client maps it), requests are taken from
// F + "-fil" and, for export files "nota_N-S.txt", from F itself; answers go to
// F + "-resp" as "resp-" + the request name, written under a temporary name
// and then renamed (unless a script asks for a partial answer). Handled
// requests are moved to F + "-fil/done" (export files to F + "done").
//
// Nothing runs on its own: processPending() handles what is waiting, so tests
// call it from their fake wait and never sleep.

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Raised for a script line or an exchange folder the fake cannot use.
class FakeMonitorError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a script line does to the answers of the requests its pattern matches.
enum class MonitorAction {
    Accept,           // the default answer
    Reject,           // reject <code> [message]: a "Title: detail" message
    Deny,             // deny [code]: 110, 301 or 302 with "Uso Denegado: ..."
    Delay,            // delay <n> (processPending calls) | delay <n>s (seconds)
    Never,            // no answer at all
    Partial,          // half the answer under the final name, the rest later
    NoFinalBreak,     // the last line without CR LF
    NotNumber,        // RESULTADO holds no number
    NoResultado,      // no RESULTADO line
    MensagemFirst,    // MENSAGEM before RESULTADO
    EqualsInMensagem, // a "=" inside MENSAGEM
    AlternateName,    // the series-less answer name
    Utf8,             // the answer in UTF-8, with accents
    StrayOtherCnpj,   // also a "resp-nota" answer for another CNPJ
};

struct MonitorRule {
    std::string pattern; // '*' and '?' wildcards, any case
    MonitorAction action = MonitorAction::Accept;
    std::vector<std::string> args; // the words after the action
};

// Reads "<name pattern> <action> [arguments]" lines; empty lines and lines
// starting with "#" are skipped. Raises FakeMonitorError naming the line.
std::vector<MonitorRule> readMonitorScript(const std::string &text);

struct RequestLine {
    std::string section; // the bracketed name of the section above, "" before any
    std::string key;     // trimmed; "" for a line without " = "
    std::string value;
};

struct MonitorRequest {
    std::filesystem::path folder; // the exchange folder it came from
    std::string name;             // as found
    std::string kind;             // lower case: "nota", "danfe", ..., "export"
    std::string text;             // the contents as UTF-8
    std::vector<std::string> sections;
    std::vector<RequestLine> lines;
    // For export files, how the NF-e TXT reader took it (layout 2.00):
    // "TXT 2.00 lido: ..." or "TXT recusado: <reason>"; "" for requests.
    std::string verdict;

    // The value of the first key line with that key (any case) in that
    // section ("" for any section); nullopt when there is none.
    std::optional<std::string> value(const std::string &key, const std::string &section = {}) const;
};

struct MonitorReply {
    std::string request;   // the request's name
    std::string answer;    // the answer's name; "" when none was written
    std::string resultado; // as written; "" when none
    std::string verdict;   // the request's verdict (export files)
};

class FakeMonitor {
  public:
    struct Options {
        std::vector<std::string> folders;
        std::vector<MonitorRule> script;
        bool pdf = false; // "danfe" answers carry PATHPDF to a small PDF in F
        // Requests are checked against the client's line format first; a
        // failing one is answered 999 "Rejeicao: linha N: <fault>".
        bool check = false;
    };

    // Watches the folders of the options (watch() for each one, so it raises
    // as watch() does); with none it waits for watch().
    explicit FakeMonitor(Options options);

    // Starts watching an exchange folder, given as stored; answers false when
    // it is watched already. Raises FakeMonitorError when the folder does not
    // exist or its "-fil", "-fil/done" and "-resp" sub-folders, created when
    // missing, cannot be made.
    bool watch(const std::string &stored);
    // Stops watching a folder given as to watch(); answers false when it was
    // not watched. Answers still due for it are written all the same.
    bool unwatch(const std::string &stored);

    // The local exchange folders watched, and the same folders as given.
    const std::vector<std::filesystem::path> &folders() const { return folders_; }
    const std::vector<std::string> &storedFolders() const { return stored_; }

    // Handles every request waiting and every delayed or partial answer now
    // due; returns one reply per request handled and per late answer written.
    std::vector<MonitorReply> processPending();

    const std::vector<MonitorRequest> &requests() const { return requests_; }

  private:
    struct Pending {
        std::filesystem::path target;
        std::string bytes; // still to be written
        bool appendOnly;   // the rest of a partial answer
        bool partial;      // to be written in two halves
        int callsLeft;
        std::chrono::steady_clock::time_point due;
        MonitorReply reply;
    };

    void handle(const std::filesystem::path &folder, const std::filesystem::path &file, bool exportFile,
                std::vector<MonitorReply> &replies);
    bool deliver(Pending &pending);

    Options options_;
    std::vector<std::filesystem::path> folders_;
    std::vector<std::string> stored_; // the folders as given
    std::vector<MonitorRequest> requests_;
    std::vector<std::string> cancelledKeys_;
    std::vector<Pending> pending_;
    long long nextNumber_ = 1;
};

} // namespace testsupport
