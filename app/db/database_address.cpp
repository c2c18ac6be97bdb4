#include "app/db/database_address.h"

#include "app/db/detail/local_path.h"

#include <cctype>

namespace db {

namespace {

bool isLocalhost(std::string_view host)
{
    constexpr std::string_view kLocal = "localhost";
    if (host.size() != kLocal.size())
        return false;
    for (std::size_t i = 0; i < host.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(host[i])) != kLocal[i])
            return false;
    return true;
}

} // namespace

ResolvedAddress resolveAddress(std::string_view stored)
{
    const std::size_t colon = stored.find(':');
    const bool bare = colon == std::string_view::npos || stored.front() == '/' || stored.front() == '\\' ||
                      stored.front() == '.';
    const bool driveLetter = colon == 1 && std::isalpha(static_cast<unsigned char>(stored.front()));
    if (bare || driveLetter)
        return {true, detail::localDatabasePath(stored)};
    const std::string_view host = stored.substr(0, colon);
    if (isLocalhost(host))
        return {true, detail::localDatabasePath(stored.substr(colon + 1))};
    return {false, std::string(stored)};
}

} // namespace db
