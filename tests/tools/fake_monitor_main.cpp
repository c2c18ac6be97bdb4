// fake-monitor: the fake document monitor of the tests as a program, for runs
// by hand and end-to-end tests.
//
//   fake-monitor (--folder <F>... | --db <module db>) [--script FILE] [--poll MS]
//                [--check] [--pdf] [--once]
//
// Prints "watching <folder>" per folder once ready, then one line per request
// "<request> -> <answer or "no answer"> <RESULTADO>". With --once it handles
// what is pending and ends. Ends with 0 on SIGINT or SIGTERM; 2 on bad
// arguments, a bad script, a missing folder or a module database it cannot
// open. --check answers a request that breaks the client's line format with
// 999 naming the line. With --db the folders are the PATH_COMUNICACAO of the
// database's CONFIGNFE rows, read again every 10 s: a folder that is missing
// is reported (on standard error) and skipped, a folder whose row is gone
// is no longer watched.

#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/fake_monitor.h"
#include "tests/support/fake_monitor_db.h"

namespace {

constexpr const char *kUsage =
    "uso: fake-monitor (--folder PASTA... | --db BANCO) [--script ARQUIVO] [--poll MS] [--check] [--pdf] "
    "[--once]";

volatile std::sig_atomic_t stopRequested = 0;

void onStop(int)
{
    stopRequested = 1;
}

int refuse(const std::string &problem)
{
    std::cerr << "fake-monitor: " << problem << "\n" << kUsage << "\n";
    return 2;
}

void print(const testsupport::MonitorDatabaseWatch::Changes &changes)
{
    for (const auto &folder : changes.watched)
        std::cout << "watching " << folder << std::endl;
    for (const auto &folder : changes.dropped)
        std::cout << "no longer watching " << folder << std::endl;
    for (const auto &problem : changes.problems)
        std::cerr << "fake-monitor: " << problem << std::endl;
}

void print(const std::vector<testsupport::MonitorReply> &replies)
{
    for (const auto &reply : replies) {
        std::cout << reply.request << " -> " << (reply.answer.empty() ? "no answer" : reply.answer)
                  << (reply.resultado.empty() ? "" : " " + reply.resultado) << std::endl;
        if (!reply.verdict.empty())
            std::cerr << "fake-monitor: " << reply.request << ": " << reply.verdict << std::endl;
    }
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::FakeMonitor::Options options;
    std::string database;
    int pollMs = 200;
    bool once = false;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            const auto next = [&]() -> std::string {
                if (i + 1 >= argc)
                    throw testsupport::FakeMonitorError(arg + " pede um valor");
                return argv[++i];
            };
            if (arg == "--folder") {
                options.folders.push_back(next());
                while (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
                    options.folders.push_back(argv[++i]);
            } else if (arg == "--db") {
                database = next();
            } else if (arg == "--script") {
                const std::string file = next();
                std::ifstream in(file, std::ios::binary);
                if (!in)
                    throw testsupport::FakeMonitorError("roteiro nao encontrado: " + file);
                std::stringstream text;
                text << in.rdbuf();
                options.script = testsupport::readMonitorScript(text.str());
            } else if (arg == "--poll") {
                const std::string value = next();
                if (value.empty() || value.size() > 6 ||
                    value.find_first_not_of("0123456789") != std::string::npos)
                    throw testsupport::FakeMonitorError("--poll pede milissegundos");
                pollMs = std::stoi(value);
            } else if (arg == "--check") {
                options.check = true;
            } else if (arg == "--pdf") {
                options.pdf = true;
            } else if (arg == "--once") {
                once = true;
            } else {
                throw testsupport::FakeMonitorError("opcao desconhecida: " + arg);
            }
        }
        if (options.folders.empty() == database.empty())
            throw testsupport::FakeMonitorError("use --folder ou --db (um dos dois)");
        std::signal(SIGINT, onStop);
        std::signal(SIGTERM, onStop);
        testsupport::FakeMonitor monitor(options);
        for (const auto &folder : options.folders)
            std::cout << "watching " << folder << std::endl;
        std::unique_ptr<testsupport::MonitorDatabaseWatch> rows;
        if (!database.empty())
            rows = std::make_unique<testsupport::MonitorDatabaseWatch>(monitor, database);
        do {
            try {
                if (rows)
                    print(rows->refresh());
                print(monitor.processPending());
            } catch (const std::exception &fault) {
                // A file that vanished or a full disk: report it and keep watching.
                std::cerr << "fake-monitor: " << fault.what() << std::endl;
            }
            if (once)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
        } while (!stopRequested);
    } catch (const testsupport::FakeMonitorError &fault) {
        return refuse(fault.what());
    }
    return 0;
}
