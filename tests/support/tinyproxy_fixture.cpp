#include "tests/support/tinyproxy_fixture.h"

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/run_command.h"

extern char **environ;

namespace testsupport {

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

// A port nobody listens on right now (the kernel's pick for port 0).
int freePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (probe < 0 || ::bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &size) != 0) {
        if (probe >= 0)
            ::close(probe);
        throw std::runtime_error("tinyproxy fixture: no free port");
    }
    ::close(probe);
    return ntohs(address.sin_port);
}

bool accepts(int port)
{
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    const bool connected =
        ::connect(client, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(client);
    return connected;
}

} // namespace

bool TinyproxyFixture::available()
{
    return hasProgram("tinyproxy");
}

TinyproxyFixture::TinyproxyFixture(std::string user, std::string password)
{
    if (!available())
        throw std::runtime_error("tinyproxy fixture: tinyproxy is not installed");
    port_ = freePort();
    const std::string folder = folder_.path().string();
    const std::string config = folder_
                                   .write("tinyproxy.conf", "Port " + std::to_string(port_) +
                                                                "\n"
                                                                "Listen 127.0.0.1\n"
                                                                "Timeout 30\n"
                                                                "MaxClients 20\n"
                                                                "Allow 127.0.0.1\n"
                                                                "BasicAuth " +
                                                                user + " " + password +
                                                                "\n"
                                                                "LogFile \"" +
                                                                folder +
                                                                "/tinyproxy.log\"\n"
                                                                "LogLevel Info\n"
                                                                "PidFile \"" +
                                                                folder + "/tinyproxy.pid\"\n")
                                   .string();
    // -d: stay in the foreground, so the PID is the one spawned here.
    std::vector<std::string> args = {"tinyproxy", "-d", "-c", config};
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, (folder + "/stderr.txt").c_str(), O_WRONLY | O_CREAT, 0600);
    const int spawned = posix_spawnp(&pid_, "tinyproxy", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid_ = -1;
        throw std::runtime_error("tinyproxy fixture: could not start tinyproxy");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!accepts(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error(
                "tinyproxy fixture: tinyproxy ended at start: " + readFile(folder_ / "stderr.txt") + log());
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            throw std::runtime_error("tinyproxy fixture: tinyproxy did not listen within 5 s");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

TinyproxyFixture::~TinyproxyFixture()
{
    stop();
}

void TinyproxyFixture::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

std::string TinyproxyFixture::log() const
{
    try {
        return readFile(folder_ / "tinyproxy.log");
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace testsupport
