// Starting programs and opening documents with the desktop's default program.

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

extern char **environ;

namespace fs = std::filesystem;

namespace {

// Splits a command line at blanks; double quotes group blanks into one
// argument and are removed.
std::vector<std::string> splitParameters(std::string_view parameters)
{
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool inArgument = false;
    for (const char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current.push_back(c);
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

// Starts the program with its arguments; the process id, or -1 when it cannot
// be started.
pid_t spawn(const std::string &program, const std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = program.find('/') == std::string::npos
                       ? posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ)
                       : posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
    return rc == 0 ? pid : -1;
}

void waitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Collects the exit of a process nobody waits for, so it leaves no zombie.
void reapInBackground(pid_t pid)
{
    std::thread([pid] { waitFor(pid); }).detach();
}

// The executable file a program name stands for (searched on PATH when it
// has no folder), or empty when there is none.
fs::path findExecutable(const std::string &program)
{
    auto executable = [](const fs::path &candidate) {
        struct stat info {};
        return ::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
               ::access(candidate.c_str(), X_OK) == 0;
    };
    if (program.find('/') != std::string::npos)
        return executable(program) ? fs::path(program) : fs::path();
    const char *path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        if (!folder.empty() && executable(fs::path(folder) / program))
            return fs::path(folder) / program;
        folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
    }
    return {};
}

// True for a program file the system can start: a binary or a script. A
// document that merely carries the executable bit (files on FAT media) is
// opened, never run.
bool isProgramFile(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    in.read(magic, sizeof magic);
    const auto got = in.gcount();
    return (got >= 4 && std::string_view(magic, 4) == "\x7F"
                                                      "ELF") ||
           (got >= 2 && std::string_view(magic, 2) == "#!");
}

} // namespace

void ExecutaPrograma(std::string_view programa, std::string_view parametros, bool esperar,
                     int /*mostrarJanela*/)
{
    const std::string program = localPath(trimText(programa));
    if (program.empty())
        return;
    const std::vector<std::string> arguments = splitParameters(trimText(parametros));

    if (esperar) {
        const pid_t pid = spawn(program, arguments);
        if (pid > 0)
            waitFor(pid);
        return;
    }

    const fs::path executable = findExecutable(program);
    const pid_t pid = !executable.empty() && isProgramFile(executable) ? spawn(executable.string(), arguments)
                                                                       : spawn("xdg-open", {program});
    if (pid > 0)
        reapInBackground(pid);
}

void AbreNoShell(std::string_view arquivoOuUrl)
{
    ExecutaPrograma(arquivoOuUrl, "", false, 5);
}
