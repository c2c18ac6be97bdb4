#include "tests/support/private_cups.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/run_command.h"

extern char **environ;

namespace testsupport {

namespace {

namespace fs = std::filesystem;

constexpr const char *kCupsd = "/usr/sbin/cupsd";

void writeText(const fs::path &file, const std::string &text)
{
    std::ofstream(file) << text;
}

// A folder the backends (running as group lp) may use.
void makeSharedFolder(const fs::path &folder, gid_t lp)
{
    fs::create_directories(folder);
    ::chown(folder.c_str(), 0, lp);
    ::chmod(folder.c_str(), 0770);
}

std::string commandError(const CommandResult &result)
{
    return result.exitCode == 0 ? std::string() : result.err + result.out;
}

} // namespace

PrivateCups &PrivateCups::instance()
{
    static PrivateCups cups;
    return cups;
}

PrivateCups::PrivateCups()
{
    start();
}

PrivateCups::~PrivateCups()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

void PrivateCups::start()
{
    if (::access(kCupsd, X_OK) != 0) {
        whyNot_ = "cupsd is not installed (scripts/install-deps.sh installs it)";
        return;
    }
    const group *lpGroup = ::getgrnam("lp");
    if (::geteuid() != 0 || lpGroup == nullptr) {
        whyNot_ = "a private cupsd needs root and the lp group here";
        return;
    }
    const fs::path root = dir_.path();
    ::chmod(root.c_str(), 0755);
    socket_ = (root / "cups.sock").string();
    for (const char *sub : {"spool", "tmp", "cache", "state"})
        makeSharedFolder(root / sub, lpGroup->gr_gid);
    fs::create_directories(root / "ppd");
    writeText(root / "cups-files.conf",
              "ServerRoot " + root.string() + "\nRequestRoot " + (root / "spool").string() + "\nTempDir " +
                  (root / "tmp").string() + "\nCacheDir " + (root / "cache").string() + "\nStateDir " +
                  (root / "state").string() + "\nErrorLog " + (root / "error_log").string() + "\nAccessLog " +
                  (root / "access_log").string() + "\nPageLog " + (root / "page_log").string() +
                  "\nUser lp\nGroup lp\nSystemGroup root\nFileDevice No\n");
    writeText(root / "cupsd.conf",
              "Listen " + socket_ +
                  "\nLogLevel warn\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                  "</Policy>\n");
    const std::string cupsdConf = (root / "cupsd.conf").string();
    const std::string filesConf = (root / "cups-files.conf").string();
    const char *argv[] = {kCupsd, "-f", "-c", cupsdConf.c_str(), "-s", filesConf.c_str(), nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, kCupsd, nullptr, nullptr, const_cast<char **>(argv), environ) != 0) {
        whyNot_ = "cupsd could not be started";
        return;
    }
    pid_ = pid;
    ::setenv("CUPS_SERVER", socket_.c_str(), 1);
    // Ready when lpstat gets an answer through the socket.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            whyNot_ = "cupsd ended at start-up: " + readFile(root / "error_log");
            return;
        }
        if (fs::exists(socket_) && runCommand({"lpstat", "-r"}).out.find("is running") != std::string::npos)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    whyNot_ = "cupsd did not answer within 5 s";
}

std::string PrivateCups::addRawQueue(const std::string &name, int port)
{
    return commandError(runCommand(
        {"/usr/sbin/lpadmin", "-p", name, "-E", "-v", "socket://127.0.0.1:" + std::to_string(port)}));
}

std::string PrivateCups::setAccepting(const std::string &name, bool accepting)
{
    return commandError(runCommand({accepting ? "/usr/sbin/cupsaccept" : "/usr/sbin/cupsreject", name}));
}

std::string PrivateCups::removeQueue(const std::string &name)
{
    return commandError(runCommand({"/usr/sbin/lpadmin", "-x", name}));
}

} // namespace testsupport
