// Loading functions from shared libraries at run time, by their Windows names.

#include <array>
#include <string>
#include <vector>

#include <dlfcn.h>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

namespace {

struct LibraryName {
    std::string_view windows;
    std::string_view linuxFile;
};

// Windows library names that stored settings and callers use, and the Linux
// files that do the same job. Compared without regard to case.
constexpr std::array kLibraryNames = {
    LibraryName{"libcrypto-1_1.dll", "libcrypto.so.3"},
    LibraryName{"libcrypto-1_1-x64.dll", "libcrypto.so.3"},
    LibraryName{"libcrypto-3.dll", "libcrypto.so.3"},
    LibraryName{"libcrypto-3-x64.dll", "libcrypto.so.3"},
    LibraryName{"libeay32.dll", "libcrypto.so.3"},
    LibraryName{"libcrypto.dll", "libcrypto.so.3"},
    LibraryName{"libeay.dll", "libcrypto.so.3"},
    LibraryName{"libssl-1_1.dll", "libssl.so.3"},
    LibraryName{"libssl-1_1-x64.dll", "libssl.so.3"},
    LibraryName{"libssl-3.dll", "libssl.so.3"},
    LibraryName{"libssl-3-x64.dll", "libssl.so.3"},
    LibraryName{"ssleay32.dll", "libssl.so.3"},
    LibraryName{"libssl32.dll", "libssl.so.3"},
    LibraryName{"libssl.dll", "libssl.so.3"},
    LibraryName{"libxml2.dll", "libxml2.so.2"},
    LibraryName{"libxml2-2.dll", "libxml2.so.2"},
    LibraryName{"fbclient.dll", "libfbclient.so.2"},
    LibraryName{"gds32.dll", "libfbclient.so.2"},
    LibraryName{"zlib1.dll", "libz.so.1"},
    LibraryName{"HprtPrinter.dll", "libHprtPrinter.so"},
    LibraryName{"InterfaceEpsonNF.dll", "libInterfaceEpsonNF.so"},
};

// The files to try for a library name, in order: with a folder, only that
// folder; without one, the program's folder first and then the system's
// search, as Windows does.
std::vector<std::string> candidates(std::string_view stored)
{
    const std::string mapped = localPath(stored);
    const std::string_view library = mapped;
    const std::size_t slash = library.find_last_of("/\\");
    const std::string folder =
        slash == std::string_view::npos ? std::string() : std::string(library.substr(0, slash + 1));
    const std::string file =
        linuxLibraryName(library.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (!folder.empty())
        return {folder + file};
    return {PastaDoPrograma() + file, file};
}

} // namespace

std::string linuxLibraryName(std::string_view windowsName)
{
    for (const LibraryName &entry : kLibraryNames) {
        if (upperAscii(entry.windows) == upperAscii(windowsName))
            return std::string(entry.linuxFile);
    }
    return std::string(windowsName);
}

bool LocalizaFuncaoDLLModulo(std::string_view biblioteca, std::string_view funcao, void *&endereco,
                             void *&modulo)
{
    endereco = nullptr;
    modulo = nullptr;
    if (biblioteca.empty())
        return false;
    for (const std::string &file : candidates(biblioteca)) {
        modulo = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (modulo != nullptr)
            break;
    }
    if (modulo == nullptr)
        return false;
    endereco = ::dlsym(modulo, std::string(funcao).c_str());
    return endereco != nullptr;
}

bool LocalizaFuncaoDLL(std::string_view biblioteca, std::string_view funcao, void *&endereco)
{
    void *modulo = nullptr;
    return LocalizaFuncaoDLLModulo(biblioteca, funcao, endereco, modulo);
}

bool LiberaDLL(std::string_view biblioteca)
{
    if (biblioteca.empty())
        return true;
    for (const std::string &file : candidates(biblioteca)) {
        void *handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle == nullptr)
            continue;
        ::dlclose(handle); // the reference the look-up above took
        return ::dlclose(handle) == 0;
    }
    return true;
}
