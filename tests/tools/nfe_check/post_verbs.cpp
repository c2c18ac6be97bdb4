// Verb "post": one SOAP exchange through the certificate and transport facade.

#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/codes/enum_names.h"
#include "verbs.h"

namespace {

struct PostOptions {
    std::string url;
    std::string bodyFile;
    std::string pfx;
    std::string password;
    std::string action;
    TSSLType tls = LT_TLSv1_2;
    std::optional<int> timeoutMs;
    bool perThread = false;
    TSSLHttpLib engine = httpOpenSSL;
};

// The engines this build can name.
std::optional<TSSLHttpLib> engineNamed(const std::string &name)
{
    // clang-format off
    static const std::pair<const char *, TSSLHttpLib> engines[] = {
        {"openssl",   httpOpenSSL},
        {"winhttp",   httpWinHttp},
        {"wininet",   httpWinINet},
        {"soapclass", httpIndy},
    };
    // clang-format on
    for (const auto &[engineName, lib] : engines)
        if (name == engineName)
            return lib;
    return std::nullopt;
}

// Reads the arguments; an empty text when they are good, else what is wrong.
std::string readOptions(std::span<const std::string> args, PostOptions &options)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool takesValue = arg == "--pfx" || arg == "--password" || arg == "--action" ||
                                arg == "--tls" || arg == "--timeout" || arg == "--engine";
        if (takesValue && i + 1 >= args.size())
            return arg + " needs a value";
        if (arg == "--pfx") {
            options.pfx = args[++i];
        } else if (arg == "--password") {
            options.password = args[++i];
        } else if (arg == "--action") {
            options.action = args[++i];
        } else if (arg == "--tls") {
            const std::optional<TSSLType> tls = EnumValueFromName<TSSLType>(args[++i]);
            if (!tls)
                return "unknown TLS choice \"" + args[i] + "\" (LT_all, LT_SSLv2 ... LT_TLSv1_3, LT_SSHv2)";
            options.tls = *tls;
        } else if (arg == "--timeout") {
            const std::string &text = args[++i];
            int value = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec != std::errc() || end != text.data() + text.size())
                return "--timeout takes milliseconds";
            options.timeoutMs = value;
        } else if (arg == "--per-thread") {
            options.perThread = true;
        } else if (arg == "--engine") {
            const std::optional<TSSLHttpLib> engine = engineNamed(args[++i]);
            if (!engine)
                return "unknown engine \"" + args[i] + "\" (openssl, winhttp, wininet, soapclass)";
            options.engine = *engine;
        } else if (arg.starts_with("--")) {
            return "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return "expected <url> <body file>";
    if (!options.password.empty() && options.pfx.empty())
        return "--password goes with --pfx";
    options.url = positional[0];
    options.bodyFile = positional[1];
    return {};
}

} // namespace

int runPostVerb(std::span<const std::string> args)
{
    PostOptions options;
    const std::string problem = readOptions(args, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "nfe-check post: %s\n", problem.c_str());
        return 2;
    }
    std::ifstream in(options.bodyFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "Arquivo não encontrado: %s\n", options.bodyFile.c_str());
        return 1;
    }
    const std::string body{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    RegistraBackendsDFe();
    TDFeSSL ssl;
    ssl.SetSSLHttpLib(options.engine);
    ssl.SSLType = options.tls;
    if (options.timeoutMs)
        ssl.TimeOut = *options.timeoutMs;
    ssl.TimeOutPorThread = options.perThread;
    ssl.UseCertificateHTTP = !options.pfx.empty();
    int exitCode = 0;
    std::string answer;
    try {
        if (!options.pfx.empty()) {
            ssl.SetSSLCryptLib(cryOpenSSL);
            ssl.SetArquivoPFX(options.pfx);
            ssl.SetSenha(options.password);
        }
        answer = ssl.Transmitir(body, options.url, options.action, "", "", true);
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        exitCode = 1;
    }
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    std::fprintf(stderr, "HTTP %d\n", ssl.HTTPResultCode());
    return exitCode;
}
