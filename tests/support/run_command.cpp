#include "tests/support/run_command.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace testsupport {

namespace {

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe()
    {
        if (pipe2(fd, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
    }
    ~Pipe() { closeBoth(); }
    void closeEnd(int i)
    {
        if (fd[i] >= 0)
            close(fd[i]);
        fd[i] = -1;
    }
    void closeBoth()
    {
        closeEnd(0);
        closeEnd(1);
    }
};

} // namespace

CommandResult runCommand(const std::vector<std::string> &argv, const std::string &input)
{
    CommandResult result;
    Pipe in, out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);

    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    in.closeEnd(0);
    out.closeEnd(1);
    err.closeEnd(1);
    if (rc != 0)
        return result;

    size_t written = 0;
    if (input.empty())
        in.closeEnd(1);
    else
        fcntl(in.fd[1], F_SETFL, O_NONBLOCK);

    char buffer[65536];
    while (out.fd[0] >= 0 || err.fd[0] >= 0) {
        pollfd fds[3];
        int n = 0;
        int outIndex = -1, errIndex = -1, inIndex = -1;
        if (out.fd[0] >= 0) {
            fds[n] = {out.fd[0], POLLIN, 0};
            outIndex = n++;
        }
        if (err.fd[0] >= 0) {
            fds[n] = {err.fd[0], POLLIN, 0};
            errIndex = n++;
        }
        if (in.fd[1] >= 0) {
            fds[n] = {in.fd[1], POLLOUT, 0};
            inIndex = n++;
        }
        if (poll(fds, n, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        auto drain = [&](int index, Pipe &p, std::string &target) {
            if (index < 0 || fds[index].revents == 0)
                return;
            ssize_t got = read(p.fd[0], buffer, sizeof buffer);
            if (got > 0)
                target.append(buffer, static_cast<size_t>(got));
            else if (got == 0 || errno != EINTR)
                p.closeEnd(0);
        };
        drain(outIndex, out, result.out);
        drain(errIndex, err, result.err);
        if (inIndex >= 0 && fds[inIndex].revents != 0) {
            ssize_t put = write(in.fd[1], input.data() + written, input.size() - written);
            if (put > 0)
                written += static_cast<size_t>(put);
            if (put < 0 && errno != EAGAIN && errno != EINTR)
                in.closeEnd(1);
            if (written == input.size())
                in.closeEnd(1);
        }
    }
    in.closeEnd(1);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool hasProgram(const std::string &name)
{
    const char *path = std::getenv("PATH");
    if (path == nullptr)
        return false;
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((std::filesystem::path(folder) / name).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

} // namespace testsupport
