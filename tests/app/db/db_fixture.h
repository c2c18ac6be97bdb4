#pragma once

#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/transaction.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh embedded database in a temporary folder, with a transaction.
class DbFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        testsupport::useTestFirebird();
        path = (dir / "test.fdb").string();
        database = std::make_unique<db::Database>(db::Database::create(path));
        transaction = std::make_unique<db::Transaction>(*database);
    }
    void TearDown() override
    {
        transaction.reset();
        database.reset();
    }

    testsupport::TempDir dir;
    std::string path;
    std::unique_ptr<db::Database> database;
    std::unique_ptr<db::Transaction> transaction;
};
