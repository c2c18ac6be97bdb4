#include "app/db/firebird_root.h"

#include "app/db/db_error.h"
#include "foundation/files/file_utils.h"

#include <firebird/Interface.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <dlfcn.h>

namespace fs = std::filesystem;

namespace db {

namespace {

// What the engine needs of the installed folder; symbolic links are copied
// as the files they point to (a linked fbintl.conf would look for its
// libraries beside the link's target and lose the WIN1252 character set).
// clang-format off
constexpr const char *kRootEntries[] = {
    "firebird.conf", "plugins.conf", "databases.conf", "firebird.msg", "intl", "plugins",
};
// clang-format on

[[noreturn]] void failRoot(const std::string &what)
{
    throw DatabaseError(DbFailure::Other, "Não foi possível preparar a pasta do Firebird: " + what);
}

void copyEntry(const fs::path &from, const fs::path &to)
{
    if (fs::is_directory(from)) {
        fs::create_directories(to);
        for (const auto &entry : fs::directory_iterator(from))
            copyEntry(entry.path(), to / entry.path().filename());
    } else {
        fs::copy_file(from, to, fs::copy_options::overwrite_existing); // follows links
    }
}

std::string fromEnvironment(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value ? value : std::string();
}

} // namespace

std::string installedFirebirdRoot()
{
    // The packaged layout keeps the engine's folder beside the client
    // library: <libdir>/firebird/3.0.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&Firebird::fb_get_master_interface), &info) && info.dli_fname) {
        const fs::path candidate = fs::path(info.dli_fname).parent_path() / "firebird" / "3.0";
        if (fs::exists(candidate / "plugins"))
            return candidate.string();
    }
    for (const char *candidate : {"/usr/lib/x86_64-linux-gnu/firebird/3.0", "/opt/firebird"})
        if (fs::exists(fs::path(candidate) / "plugins"))
            return candidate;
    failRoot("a instalação do Firebird não foi encontrada");
}

void makePrivateFirebirdRoot(const std::string &installed, const std::string &root)
{
    const fs::path target(root);
    if (fs::exists(target / "firebird.conf"))
        return;
    std::error_code ec;
    const fs::path staging = target.string() + ".tmp" + std::to_string(getpid());
    try {
        fs::remove_all(staging);
        fs::create_directories(staging);
        for (const char *entry : kRootEntries)
            if (fs::exists(fs::path(installed) / entry))
                copyEntry(fs::path(installed) / entry, staging / entry);
        std::ofstream conf(staging / "firebird.conf", std::ios::app);
        conf << "\n# Several processes of this user share database files.\nServerMode = SuperClassic\n";
        if (!conf.flush())
            failRoot("falha ao gravar " + (staging / "firebird.conf").string());
        conf.close();
        fs::remove_all(target, ec); // a root without firebird.conf is a broken leftover
        fs::rename(staging, target);
    } catch (const fs::filesystem_error &e) {
        fs::remove_all(staging, ec);
        if (fs::exists(target / "firebird.conf")) // another process made it first
            return;
        failRoot(e.path1().string() + ": " + e.code().message());
    }
}

FirebirdEnvironment prepareFirebirdEnvironment()
{
    FirebirdEnvironment env{fromEnvironment("FIREBIRD"), fromEnvironment("FIREBIRD_LOCK")};
    const fs::path data(PastaDeDadosDoUsuario());
    if (env.root.empty()) {
        env.root = (data / "firebird").string();
        makePrivateFirebirdRoot(installedFirebirdRoot(), env.root);
        setenv("FIREBIRD", env.root.c_str(), 1);
    }
    if (env.lock.empty()) {
        env.lock = (data / "firebird-lock").string();
        std::error_code ec;
        fs::create_directories(env.lock, ec);
        if (ec)
            failRoot(env.lock + ": " + ec.message());
        setenv("FIREBIRD_LOCK", env.lock.c_str(), 1);
    }
    return env;
}

} // namespace db
