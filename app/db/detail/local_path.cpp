#include "app/db/detail/local_path.h"

#include "app/db/db_error.h"
#include "foundation/files/windows_paths.h"

namespace db::detail {

std::string localDatabasePath(std::string_view stored)
{
    if (auto path = mapWindowsPath(stored))
        return *path;
    throw DatabaseError(DbFailure::FileNotFound,
                        "Banco de dados não encontrado: " + std::string(stored) + " (unidade não mapeada)");
}

} // namespace db::detail
