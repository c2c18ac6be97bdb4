// Listing the entries of a folder that match a file mask.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace fs = std::filesystem;

namespace {

struct Mask {
    std::string folder;  // as written in the mask, ending in "/" (empty: the current folder)
    std::string pattern; // upper-cased file-name part
};

Mask splitMask(std::string_view mask)
{
    const std::size_t slash = mask.rfind('/');
    Mask result;
    if (slash != std::string_view::npos)
        result.folder = std::string(mask.substr(0, slash + 1));
    result.pattern = upperWithAccents(mask.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (result.pattern == "*.*")
        result.pattern = "*";
    return result;
}

// Wildcard match of an upper-cased name: "*" any run of characters, "?" one.
bool matches(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
            continue;
        }
        const std::size_t nameSize = utf8CharAt(name, n).size;
        if (p < pattern.size()) {
            const std::size_t patternSize = utf8CharAt(pattern, p).size;
            if (pattern[p] == '?' || pattern.substr(p, patternSize) == name.substr(n, nameSize)) {
                p += pattern[p] == '?' ? 1 : patternSize;
                n += nameSize;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        p = starP;
        starN += utf8CharAt(name, starN).size;
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

struct Entry {
    std::string name;
    std::string key; // what the entry sorts by
};

// The folder's entries that match the mask, in the order the folder gives.
// Names holding ".." are left out.
std::vector<std::string> matchingNames(const Mask &mask)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(mask.folder.empty() ? fs::path(".") : fs::path(mask.folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.find("..") == std::string::npos && matches(mask.pattern, upperWithAccents(name)))
            names.push_back(std::move(name));
    }
    return names;
}

// The entry's modification time as 14 digits (year to seconds, local time).
std::string modificationStamp(const std::string &path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && ::lstat(path.c_str(), &info) != 0)
        return std::string(14, '0');
    return DataHoraParaTextoCompacto(toLocalDateTime(std::chrono::system_clock::from_time_t(info.st_mtime)));
}

} // namespace

void ListaArquivos(std::string_view mascara, std::vector<std::string> &lista, bool comPasta, int ordem,
                   int direcao)
{
    lista.clear();
    const Mask mask = splitMask(localPath(mascara));
    std::vector<Entry> entries;
    for (std::string &name : matchingNames(mask)) {
        Entry entry;
        if (ordem == 1)
            entry.key = modificationStamp(mask.folder + name);
        entry.name = comPasta ? mask.folder + name : std::move(name);
        entry.key += upperWithAccents(entry.name);
        entries.push_back(std::move(entry));
    }
    if (ordem != 0) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry &a, const Entry &b) { return a.key < b.key; });
        if (direcao == 2)
            std::reverse(entries.begin(), entries.end());
    }
    for (Entry &entry : entries)
        lista.push_back(std::move(entry.name));
}

bool ExistemArquivos(std::string_view mascara)
{
    return !matchingNames(splitMask(localPath(mascara))).empty();
}
