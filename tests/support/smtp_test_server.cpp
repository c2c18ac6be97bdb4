#include "tests/support/smtp_test_server.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "tests/support/test_pki.h"

extern char **environ;

namespace testsupport {

namespace {

constexpr const char *kPython = "/usr/bin/python3";

} // namespace

bool SmtpTestServer::available()
{
    pid_t pid = -1;
    const char *argv[] = {kPython, "-c", "import aiosmtpd", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned =
        posix_spawn(&pid, kPython, &actions, nullptr, const_cast<char *const *>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

SmtpTestServer::SmtpTestServer(const Options &options)
{
    const std::string script = (sourceDir() / "tests/support/smtp_test_server.py").string();
    std::vector<std::string> args = {kPython, script, folder_.path().string()};
    switch (options.mode) {
    case Mode::plain:
        break;
    case Mode::starttls:
        args.insert(args.end(), {"--mode", "starttls"});
        break;
    case Mode::ssl:
        args.insert(args.end(), {"--mode", "ssl"});
        break;
    }
    if (options.mode != Mode::plain)
        args.insert(args.end(), {"--cert", testPki().server.certPem, "--key", testPki().server.keyPem});
    if (!options.user.empty())
        args.insert(args.end(), {"--user", options.user, "--password", options.password});
    if (!options.refuse.empty())
        args.insert(args.end(), {"--refuse", options.refuse});

    std::vector<char *> argv;
    for (auto &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, (folder_.path() / "stderr.txt").c_str(), O_WRONLY | O_CREAT,
                                     0600);
    const int spawned = posix_spawn(&pid_, kPython, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("could not start the SMTP test server");

    const auto portFile = folder_.path() / "port";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(portFile)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the SMTP test server ended: " +
                                     readFile(folder_.path() / "stderr.txt"));
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
            throw std::runtime_error("the SMTP test server did not listen within 10 s");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    port_ = std::stoi(readFile(portFile));
}

SmtpTestServer::~SmtpTestServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::vector<std::string> SmtpTestServer::messages() const
{
    std::vector<std::string> out;
    for (int n = 1; std::filesystem::exists(folder_.path() / (std::to_string(n) + ".json")); ++n)
        out.push_back(readFile(folder_.path() / (std::to_string(n) + ".json")));
    return out;
}

int SmtpTestServer::mailCommands() const
{
    std::ifstream events(folder_.path() / "events.log");
    int count = 0;
    for (std::string line; std::getline(events, line);)
        count += line.rfind("MAIL ", 0) == 0 ? 1 : 0;
    return count;
}

std::string sha256Hex(const std::string &bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr);
    std::string hex;
    constexpr const char *kHex = "0123456789abcdef";
    for (unsigned int i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

} // namespace testsupport
