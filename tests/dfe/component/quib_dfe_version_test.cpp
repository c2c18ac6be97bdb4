#include <gtest/gtest.h>

#include <limits>

#include "dfe/component/quib_dfe.h"

namespace {

constexpr double kInfinito = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DFeQuibDFeVersion, VersionBecomesTextWithTwoDecimalsAndADot)
{
    struct Case {
        double versao;
        const char *texto;
    };
    // clang-format off
    const Case cases[] = {
        {4,         "4.00"},
        {3.1,       "3.10"},
        {1.01,      "1.01"},
        {0.5,       "0.50"},
        {10.999,    "11.00"},
        {1e20,      "100000000000000000000.00"},
        {0,         ""},
        {-4,        ""},
        {kInfinito, ""},
        {kNaN,      ""},
    };
    // clang-format on
    const TQuibDFe dfe;
    for (const Case &c : cases)
        EXPECT_EQ(dfe.VersaoParaTexto(c.versao), c.texto) << c.versao;
}

TEST(DFeQuibDFeVersion, TextBecomesVersionOrZeroWhenNotANumber)
{
    struct Case {
        const char *texto;
        double versao;
    };
    // clang-format off
    const Case cases[] = {
        {"4.00",     4},
        {" 3.10 ",   3.1},
        {"1.01",     1.01},
        {"2",        2},
        {"",         0},
        {"   ",      0},
        {"4,00",     0},
        {"4.00a",    0},
        {"v4.00",    0},
        {"inf",      0},
        {"infinity", 0},
        {"nan",      0},
    };
    // clang-format on
    const TQuibDFe dfe;
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(dfe.TextoParaVersao(c.texto), c.versao) << '"' << c.texto << '"';
}

TEST(DFeQuibDFeVersion, TextOfAVersionReadsBackAsTheSameVersion)
{
    const TQuibDFe dfe;
    for (const double versao : {1.0, 1.01, 2.0, 3.1, 4.0})
        EXPECT_DOUBLE_EQ(dfe.TextoParaVersao(dfe.VersaoParaTexto(versao)), versao);
}

} // namespace
