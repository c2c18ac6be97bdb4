#include "app/db/orphan_pages.h"

#include "app/db/catalogue.h"
#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"

namespace db {

namespace {

constexpr const char *kScratchTable = "NFE_LIMPEZA_PAGINAS";

bool nextIdHasLeftovers(Transaction &transaction)
{
    Statement count(transaction,
                    "SELECT COUNT(*) FROM RDB$PAGES P JOIN RDB$DATABASE D "
                    "ON P.RDB$RELATION_ID = D.RDB$RELATION_ID WHERE NOT EXISTS "
                    "(SELECT 1 FROM RDB$RELATIONS R WHERE R.RDB$RELATION_ID = P.RDB$RELATION_ID)");
    Cursor rows = count.open();
    rows.next();
    return rows.at(0).asInt64() > 0;
}

void run(Transaction &transaction, const std::string &sql)
{
    try {
        executeSql(transaction, sql);
        transaction.commitRetaining();
    } catch (...) {
        transaction.rollbackRetaining();
        throw;
    }
}

} // namespace

bool releaseOrphanRelationPages(Transaction &transaction)
{
    bool cleaned = false;
    if (tableExists(transaction, kScratchTable)) {
        run(transaction, std::string("DROP TABLE ") + kScratchTable);
        cleaned = true;
    }
    if (nextIdHasLeftovers(transaction)) {
        run(transaction, std::string("CREATE TABLE ") + kScratchTable + " (X INTEGER)");
        run(transaction, std::string("DROP TABLE ") + kScratchTable);
        cleaned = true;
    }
    return cleaned;
}

} // namespace db
