// fake-sefaz: the fake tax authority of the tests as a program, for runs by
// hand without network.
//
//   fake-sefaz [--port N] [--services-ini FILE] [--ca F --cert F --key F]
//              [--schemas DIR] [--script FILE]
//
// Prints "https://127.0.0.1:<port>" once it accepts connections (and, when it
// made the test PKI itself, "pki=<folder>"), one line per request on standard
// error, and ends with 0 on SIGINT or SIGTERM; 2 on bad arguments,
// certificates or schemas.

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "tests/support/fake_sefaz.h"
#include "tests/support/test_pki.h"
#include "tests/support/tls_test_stream.h"

namespace {

constexpr const char *kUsage =
    "uso: fake-sefaz [--port N] [--services-ini ARQUIVO] [--ca ARQ --cert ARQ --key ARQ] "
    "[--schemas PASTA] [--script ARQUIVO]";

int refuse(const std::string &problem)
{
    std::cerr << "fake-sefaz: " << problem << "\n" << kUsage << "\n";
    return 2;
}

void printExchange(const testsupport::FakeSefazExchange &exchange)
{
    std::ostringstream line;
    line << exchange.path << " " << (exchange.root.empty() ? "-" : exchange.root);
    for (const std::string &verdict : exchange.verdicts)
        line << " [" << verdict << "]";
    line << " cStat=" << exchange.cStat << " http=" << exchange.httpStatus << "\n";
    std::cerr << line.str() << std::flush;
}

} // namespace

int main(int argc, char **argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        static const char *known[] = {"--port", "--services-ini", "--ca",    "--cert",
                                      "--key",  "--schemas",      "--script"};
        if (std::find(std::begin(known), std::end(known), name) == std::end(known))
            return refuse("opção desconhecida " + name);
        if (i + 1 >= argc)
            return refuse("falta o valor de " + name);
        args[name] = argv[++i];
    }
    int port = 0;
    if (args.count("--port")) {
        try {
            std::size_t used = 0;
            port = std::stoi(args["--port"], &used);
            if (used != args["--port"].size() || port < 0 || port > 65535)
                throw std::invalid_argument("port");
        } catch (const std::exception &) {
            return refuse("porta inválida " + args["--port"]);
        }
    }
    const bool ownPki = !args.count("--ca");
    if (!ownPki && (!args.count("--cert") || !args.count("--key")))
        return refuse("--ca pede também --cert e --key");

    // The signals are taken by sigwait below, on this thread only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    testsupport::FakeSefazOptions options;
    options.port = port;
    options.schemas = args.count("--schemas") ? args["--schemas"] : NFE_SCHEMAS_DIR;
    options.observer = printExchange;
    std::unique_ptr<testsupport::FakeSefaz> fake;
    std::string pkiFolder;
    try {
        if (ownPki) {
            pkiFolder = testsupport::testPki().folder;
        } else {
            testsupport::TlsTestServerOptions tls;
            tls.certPem = args["--cert"];
            tls.keyPem = args["--key"];
            tls.clientCaPem = args["--ca"];
            options.streams = testsupport::tlsTestStreams(tls);
        }
        fake = std::make_unique<testsupport::FakeSefaz>(options);
    } catch (const std::exception &error) {
        return refuse(error.what());
    }
    if (args.count("--script")) {
        std::ifstream script(args["--script"]);
        if (!script)
            return refuse("roteiro ilegível " + args["--script"]);
        for (std::string line; std::getline(script, line);)
            if (const std::string problem = fake->scriptLine(line); !problem.empty())
                return refuse(problem);
    }
    if (args.count("--services-ini")) {
        std::ofstream ini(args["--services-ini"], std::ios::binary | std::ios::trunc);
        ini << fake->servicesIni();
        if (!ini.flush())
            return refuse("não foi possível gravar " + args["--services-ini"]);
    }
    std::cout << fake->baseUrl() << "\n";
    if (ownPki)
        std::cout << "pki=" << pkiFolder << "\n";
    std::cout << std::flush;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    fake->stop();
    return 0;
}
