#include "app/db/credentials.h"

#include "app/shell_constants.h"

namespace db {

Credentials Credentials::shell()
{
    return {std::string(kUsuarioBanco), std::string(kSenhaBanco)};
}

} // namespace db
