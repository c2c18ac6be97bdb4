#pragma once

#include "app/dados/dtm_gerencia.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// A management database of the test suite's own, made once per suite. Each
// test starts with its tables USUARIO, EMPRESA, REGISTRO, PATHIB and
// CONFIG_GERAL emptied and then filled with `linhasIniciais` (statements run
// and committed before the data module connects), and gets the data module,
// connected, and scripted dialogs.
class GerenciaVaziaFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    virtual std::vector<std::string> linhasIniciais() const { return {}; }
    // The first column of the first row of the select, read by a connection
    // of its own ("<null>" for null, "<none>" without a row).
    static std::string consulta(const std::string &sql);
    static void executa(const std::string &sql);
    static std::string pastaIni();

    testsupport::ScriptedDialogs *dialogos = nullptr;
    std::unique_ptr<TdtmGerencia> gerencia;
};
