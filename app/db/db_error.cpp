#include "app/db/db_error.h"

#include <algorithm>

namespace db {

DatabaseError::DatabaseError(DbFailure failure, const std::string &message, std::vector<long> codes,
                             std::string sqlState, std::string engineText)
    : ProgramError(message), failure_(failure), codes_(std::move(codes)), sqlState_(std::move(sqlState)),
      engineText_(std::move(engineText))
{
}

bool DatabaseError::hasCode(long code) const
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

} // namespace db
