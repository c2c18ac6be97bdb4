// Verb "db-open": opens a database through the database layer and says how
// another process shares it.

#include <cstdio>
#include <string>

#include "app/db/catalogue.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/firebird_root.h"
#include "app/db/transaction.h"
#include "verbs.h"

int runDbOpenVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check db-open: expected <address>\n");
        return 2;
    }
    try {
        const db::FirebirdEnvironment env = db::prepareFirebirdEnvironment();
        db::Database database = db::Database::attach(args[0]);
        db::DatabaseFacts facts;
        {
            db::Transaction transaction(database);
            facts = db::describeDatabase(transaction);
            transaction.commit();
        }
        std::printf("ok\n%s\n%d\nFIREBIRD=%s\nFIREBIRD_LOCK=%s\n", facts.characterSet.c_str(), facts.dialect,
                    env.root.c_str(), env.lock.c_str());
        return 0;
    } catch (const db::DatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
