#include "tests/support/child_process.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace testsupport {

namespace {

void closeFd(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

// The test's environment with the child's own variables added or replaced.
std::vector<std::string> childEnvironment(const ChildProcess::Environment &changes)
{
    std::map<std::string, std::string> variables;
    for (char **e = environ; *e; ++e) {
        const std::string entry(*e);
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            variables[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto &[name, value] : changes)
        variables[name] = value;
    std::vector<std::string> entries;
    for (const auto &[name, value] : variables)
        entries.push_back(name + "=" + value);
    return entries;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const Environment &environment)
{
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);

    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> entries = childEnvironment(environment);
    std::vector<char *> envp;
    for (std::string &e : entries)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_fd_ = out[0];
    if (rc != 0) {
        closeFd(input_);
        closeFd(output_fd_);
        throw std::runtime_error("cannot start " + argv.front() + ": " + std::strerror(rc));
    }
    signal(SIGPIPE, SIG_IGN); // a child gone while we write is seen in its status
}

ChildProcess::~ChildProcess()
{
    if (!ended_)
        stop(SIGKILL, std::chrono::milliseconds(0));
    closeFd(input_);
    closeFd(output_fd_);
}

void ChildProcess::write(std::string_view bytes)
{
    while (!bytes.empty() && input_ >= 0) {
        const ssize_t n = ::write(input_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the child process no longer reads its input");
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void ChildProcess::closeInput()
{
    closeFd(input_);
}

const std::string &ChildProcess::readUntil(std::string_view marker, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (output_fd_ >= 0 && (marker.empty() || output_.find(marker) == std::string::npos)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd fd{output_fd_, POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t n = read(output_fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            closeFd(output_fd_);
            break;
        }
        output_.append(buffer, static_cast<std::size_t>(n));
    }
    return output_;
}

bool ChildProcess::reap(int options)
{
    if (ended_)
        return true;
    int status = 0;
    pid_t r;
    do {
        r = waitpid(pid_, &status, options);
    } while (r < 0 && errno == EINTR);
    if (r == pid_ || r < 0) {
        ended_ = true;
        status_ = status;
    }
    return ended_;
}

bool ChildProcess::running()
{
    return !reap(WNOHANG);
}

int ChildProcess::stop(int signal, std::chrono::milliseconds grace)
{
    if (reap(WNOHANG))
        return status_;
    kill(pid_, signal);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (!reap(WNOHANG)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            reap(0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

int ChildProcess::wait()
{
    reap(0);
    return status_;
}

} // namespace testsupport
