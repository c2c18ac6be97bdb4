#include <cstdint>

#include <gtest/gtest.h>

#include "foundation/codes/conversao_tabela.h"

namespace {

enum TAmostra : std::uint8_t { amA, amB, amC, amD, amSemLinha, amVazio = 255 };

// First row "x", a code in two rows ("b" then "B"), a value in two rows (amC), an empty code.
constexpr auto kAmostra = MakeCodeTable<TAmostra>({
    {"x", amA},
    {"b", amB},
    {"c1", amC},
    {"B", amD},
    {"c2", amC},
    {"", amVazio},
});

TEST(CodeTable, ReadsTheLastMatchingRowIgnoringCaseAndFallsBackToTheFirstRow)
{
    struct Caso {
        std::string_view codigo;
        TAmostra esperado;
        bool ok;
    };
    const Caso casos[] = {
        {"x", amA, true},   {"X", amA, true},   {"b", amD, true},    {"B", amD, true},
        {"C1", amC, true},  {"c2", amC, true},  {"", amVazio, true}, {" x", amA, false},
        {"x ", amA, false}, {"zz", amA, false}, {"c", amA, false},   {"c12", amA, false},
    };
    for (const auto &caso : casos) {
        bool ok = !caso.ok;
        EXPECT_EQ(CodigoParaEnum(caso.codigo, kAmostra, ok), caso.esperado) << '"' << caso.codigo << '"';
        EXPECT_EQ(ok, caso.ok) << '"' << caso.codigo << '"';
    }
}

TEST(CodeTable, WritesTheLastRowOfAValueAndNothingForAValueWithoutRow)
{
    EXPECT_EQ(EnumParaCodigo(amC, kAmostra), "c2");
    EXPECT_EQ(EnumParaCodigo(amB, kAmostra), "b");
    EXPECT_EQ(EnumParaCodigo(amVazio, kAmostra), "");
    EXPECT_EQ(EnumParaCodigo(amSemLinha, kAmostra), "");
    EXPECT_EQ(EnumParaCodigo(static_cast<TAmostra>(200), kAmostra), "");
    EXPECT_FALSE(kAmostra.holds(amSemLinha));
    EXPECT_TRUE(kAmostra.holds(amVazio));
}

TEST(CodeTable, ResolvesAtCompileTime)
{
    constexpr auto lido = [] {
        bool ok = false;
        const TAmostra valor = CodigoParaEnum("C2", kAmostra, ok);
        return ok ? valor : amSemLinha;
    }();
    static_assert(lido == amC);
    static_assert(kAmostra.codeOf(amD) == "B");
    static_assert(kAmostra.firstValue() == amA);
}

} // namespace
