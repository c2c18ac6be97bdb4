#include "foundation/files/windows_paths.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>

#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isNetworkPath(std::string_view stored)
{
    return stored.size() >= 2 && stored[0] == '\\' && stored[1] == '\\';
}

// The folder a drive letter maps to, without a trailing "/"; empty when the
// drive is not mapped.
std::string driveRoot(char letter)
{
    const std::string variable = std::string("KVL_DRIVE_") + letter;
    std::string root;
    if (const char *value = std::getenv(variable.c_str()); value != nullptr && value[0] != '\0')
        root = value;
    else if (letter == 'C')
        root = PastaPessoalDoUsuario();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

// The components of the path after the drive, with "." dropped and ".."
// resolved without leaving the root.
std::vector<std::string> components(std::string_view rest)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        const std::string_view part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

bool exists(const std::string &path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The name of the entry of the folder equal to the name without regard to
// case (the smallest such name, so the answer does not depend on the order
// the folder lists them); empty when there is none.
std::string caseInsensitiveMatch(const std::string &folder, const std::string &name)
{
    const std::string wanted = upperWithAccents(name);
    std::string found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder.empty() ? "/" : folder, error), end;
         !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (upperWithAccents(candidate) == wanted && (found.empty() || candidate < found))
            found = candidate;
    }
    return found;
}

} // namespace

char driveLetterOf(std::string_view stored)
{
    if (stored.size() >= 2 && stored[1] == ':' && std::isalpha(static_cast<unsigned char>(stored[0])))
        return static_cast<char>(std::toupper(static_cast<unsigned char>(stored[0])));
    return '\0';
}

std::optional<std::string> mapWindowsPath(std::string_view stored)
{
    if (isNetworkPath(stored))
        return std::nullopt;
    const char letter = driveLetterOf(stored);
    if (letter == '\0')
        return std::string(stored);
    std::string path = driveRoot(letter);
    if (path.empty())
        return std::nullopt;
    if (path == "/")
        path.clear();

    bool matching = true;
    for (const std::string &part : components(stored.substr(2))) {
        std::string next = path + "/" + part;
        if (matching && !exists(next)) {
            const std::string match = caseInsensitiveMatch(path, part);
            if (match.empty())
                matching = false;
            else
                next = path + "/" + match;
        }
        path = std::move(next);
    }
    if (path.empty() || (stored.size() > 2 && isSeparator(stored.back())))
        path += '/';
    return path;
}

std::string localPath(std::string_view stored)
{
    if (auto mapped = mapWindowsPath(stored))
        return *std::move(mapped);
    const bool network = isNetworkPath(stored);
    std::string path = std::string("/dev/null/unmapped-drive-") +
                       (network ? std::string("network") : std::string(1, driveLetterOf(stored)));
    for (const std::string &part : components(stored.substr(2)))
        path += "/" + part;
    if (isSeparator(stored.back()))
        path += '/';
    return path;
}
