// firebird-batch-writer: commits batches of rows into table LOTE of a
// database until it is killed, for the tests that kill a writer at random
// moments. Usage: firebird-batch-writer <database> <rows per batch>. Batches
// are numbered on from the highest NUMERO already in the table; after each
// commit it prints "lote <n>" on a line of its own. It uses the
// FIREBIRD and FIREBIRD_LOCK its parent gives it.

#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: firebird-batch-writer <database> <rows per batch>\n");
        return 2;
    }
    const int rowsPerBatch = std::atoi(argv[2]);
    // Never outlives a test that forgot it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    try {
        db::Database database = db::Database::attach(argv[1]);
        db::Transaction transaction(database);
        db::Statement last(transaction, "SELECT COALESCE(MAX(NUMERO), 0) FROM LOTE");
        db::Cursor rows = last.open();
        rows.next();
        const int first = static_cast<int>(rows.at(0).asInteger()) + 1;
        db::Statement insert(transaction, "INSERT INTO LOTE (NUMERO, LINHA, TEXTO) VALUES (?, ?, ?)");
        for (int batch = first; std::chrono::steady_clock::now() < deadline; ++batch) {
            for (int row = 0; row < rowsPerBatch; ++row)
                insert.execute({batch, row, "Configuração Nº " + std::to_string(batch) + " €"});
            transaction.commitRetaining();
            std::printf("lote %d\n", batch);
            std::fflush(stdout);
        }
    } catch (const db::DatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
