#include "app/db/credentials.h"

namespace db {

Credentials Credentials::shell()
{
    return {"SYSDBA", "vandorilq"};
}

} // namespace db
