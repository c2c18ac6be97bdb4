#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/funcoes/ufuncoes.h"
#include "tests/support/scripted_dialogs.h"

namespace {

class UFuncoes : public ::testing::Test {
  protected:
    void SetUp() override
    {
        auto owned = std::make_unique<testsupport::ScriptedDialogs>();
        script = owned.get();
        instalaDialogos(std::move(owned));
    }
    void TearDown() override { instalaDialogos(nullptr); }
    testsupport::ScriptedDialogs *script = nullptr;
};

TEST_F(UFuncoes, ValidaCnpjCpf)
{
    // clang-format off
    const struct { const char *number; const char *kind; bool valid; } cases[] = {
        {"529.982.247-25",     "F", true},
        {"52998224726",        "F", false},
        {"11111111111",        "F", true},   // equal digits pass the digit check
        {"5299822472599",      "F", true},   // digits beyond the 11th ignored
        {"5299822472",         "F", false},  // too few
        {"",                   "F", true},
        {"abc",                "J", true},   // no digit at all
        {"11.222.333/0001-81", "J", true},
        {"11.222.333/0001-80", "",  false},
        {"1122233300018",      "J", false},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(ValidaCnpjCpf(c.number, c.kind, false), c.valid) << c.number;
    EXPECT_TRUE(script->shown.empty());

    EXPECT_FALSE(ValidaCnpjCpf("52998224726", "F", true));
    EXPECT_FALSE(ValidaCnpjCpf("11222333000180", "J", true));
    EXPECT_EQ(script->shown, (std::vector<std::string>{"atencao: ATENÇÃO ! ...  \r\nCPF Inválido",
                                                       "atencao: ATENÇÃO ! ...  \r\nCNPJ Inválido"}));
}

TEST_F(UFuncoes, BoxesAnswerWhatTheOperatorChose)
{
    script->answers = {false, true};
    EXPECT_FALSE(MsgAtencao("x"));
    EXPECT_TRUE(MsgConfirmacao("Continua?"));
    EXPECT_EQ(script->shown.back(), "confirmacao: Continua?");
    EXPECT_EQ(ExtensaoArquivo("c:\\banco\\gerencia.gdb"), ".GDB");
    EXPECT_EQ(ExtensaoArquivo("a.b"), "A.B");
    EXPECT_EQ(ApenasNumeros("(82) 3333-4444"), "8233334444");
}

} // namespace
