#pragma once

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A management and an NF-e module database with the base schema, made once
// per test program (creating a database is slow) and shared by the tests,
// which therefore work on CNPJs, keys and rows of their own. The INI folder
// points at the management database, whose PATHIB row of company 0 points at
// the module database. Each test gets both data modules, connected, and
// scripted dialogs.
class BancosFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs a statement in a connection of its own and commits it.
    static void executaComCommit(const std::string &banco, const std::string &sql);
    // The first column of the first row a select gives, read by a connection
    // of its own ("<null>" for null, "<none>" without a row).
    static std::string consultaExterna(const std::string &banco, const std::string &sql);

    static std::string pastaIni();
    static std::string bancoGerencia();
    static std::string bancoModulo();

    testsupport::ScriptedDialogs *dialogos = nullptr;
    std::unique_ptr<TdtmGerencia> gerencia;
    std::unique_ptr<TdtmNFE_grd> modulo;

  private:
    static testsupport::TempDir *pasta_;
};
