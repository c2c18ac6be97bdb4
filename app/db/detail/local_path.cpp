#include "app/db/detail/local_path.h"

namespace db::detail {

std::string localDatabasePath(std::string_view stored)
{
    return std::string(stored);
}

} // namespace db::detail
