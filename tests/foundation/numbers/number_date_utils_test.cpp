#include <chrono>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <locale>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/number_date_utils.h"

namespace {

using namespace std::chrono;

// ---- Rounding, bits and bytes ----------------------------------------------------

TEST(NumberUtils, RoundingAndTolerance)
{
    EXPECT_DOUBLE_EQ(ArredondaPotencia10(-2, 2.346), 2.35);
    EXPECT_DOUBLE_EQ(ArredondaPotencia10(-2, -2.346), -2.35);
    EXPECT_DOUBLE_EQ(ArredondaPotencia10(2, 1250), 1300);
    EXPECT_DOUBLE_EQ(ArredondaPotencia10(0, -0.5), -1);
    EXPECT_EQ(TruncaSemResiduo(2.9999999999), 3);
    EXPECT_EQ(TruncaSemResiduo(2.99), 2);
    EXPECT_EQ(TruncaSemResiduo(-2.5), -2);
    EXPECT_EQ(ComparaComTolerancia(1.0000000001, 1, 0), 0);
    EXPECT_EQ(ComparaComTolerancia(1.01, 1, 0.001), 1);
    EXPECT_EQ(ComparaComTolerancia(1, 1.01, 0.001), -1);
    EXPECT_EQ(ComparaComTolerancia(1, 1.01, 0.01), 0);
}

TEST(NumberUtils, BitsBinaryAndLittleEndianBytes)
{
    EXPECT_TRUE(BitLigado(5, 2));
    EXPECT_FALSE(BitLigado(5, 1));
    EXPECT_TRUE(BitLigado(5, 34)); // modulo 32
    EXPECT_TRUE(BitLigado(-1, 31));
    std::int32_t flags = 0;
    LigaBit(flags, 3);
    LigaBit(flags, 31);
    EXPECT_EQ(static_cast<std::uint32_t>(flags), 0x80000008U);

    EXPECT_EQ(InteiroParaBinario(5, 8), "00000101");
    EXPECT_EQ(InteiroParaBinario(0, 4), "0000");
    EXPECT_EQ(InteiroParaBinario(-3, 4), "0000");
    EXPECT_EQ(InteiroParaBinario(0x1FF, 8), "11111111"); // never longer than the width
    EXPECT_EQ(BinarioParaInteiro("00000101"), 5);
    EXPECT_EQ(BinarioParaInteiro(""), 0);
    EXPECT_EQ(BinarioParaInteiro("1x1"), 5);
    EXPECT_EQ(BinarioParaInteiro(std::string(40, '1')), -1); // only 32 places count

    EXPECT_EQ(InteiroParaBytesLE(1, 2), std::string("\x01\x00", 2));
    EXPECT_EQ(InteiroParaBytesLE(258, 2), std::string("\x02\x01", 2));
    EXPECT_EQ(InteiroParaBytesLE(-1, 4), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(InteiroParaBytesLE(-1, 6), std::string("\xFF\xFF\xFF\xFF\x00\x00", 6));
    EXPECT_EQ(InteiroParaBytesLE(0x12345, 2), "\x45\x23"); // the low bytes, never more than asked
}

TEST(NumberUtils, HexadecimalBytes)
{
    EXPECT_EQ(HexParaBytes(" 1b40 "), "\x1B\x40");
    EXPECT_EQ(HexParaBytes("1b4"), "\x1B");
    EXPECT_EQ(HexParaBytes(""), "");
    EXPECT_THROW(HexParaBytes("zz"), ConversionError);
    std::string out = "old";
    EXPECT_FALSE(TentaHexParaBytes("0g", out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(TentaHexParaBytes("ff00", out));
    EXPECT_EQ(out, std::string("\xff\x00", 2));
    EXPECT_EQ(HexParaBytesOuPadrao("xx", "def"), "def");
    EXPECT_EQ(BytesParaHex(std::string("\x00\xAB\x1b", 3)), "00AB1B");
    EXPECT_EQ(BytesParaHex(""), "");
}

// ---- Numbers and texts (also run under the Brazilian locale) -----------------------

void expectNumberTexts()
{
    EXPECT_DOUBLE_EQ(TextoParaFloat("12"), 12);
    EXPECT_DOUBLE_EQ(TextoParaFloat(" 1.234,56 "), 1234.56);
    EXPECT_DOUBLE_EQ(TextoParaFloat("1,234.56"), 1234.56);
    EXPECT_DOUBLE_EQ(TextoParaFloat("1.234"), 1.234);
    EXPECT_DOUBLE_EQ(TextoParaFloat("-0,5"), -0.5);
    EXPECT_DOUBLE_EQ(TextoParaFloat("+3"), 3);
    EXPECT_DOUBLE_EQ(TextoParaFloat("1.000.000"), 1000.0);
    for (const char *bad : {"", "abc", "1a", "inf", "nan", "0x10", ",", "1 2"})
        EXPECT_THROW(TextoParaFloat(bad), ConversionError) << bad;
    EXPECT_DOUBLE_EQ(TextoParaFloatOuPadrao("", 7), 7);
    EXPECT_DOUBLE_EQ(TextoParaFloatOuPadrao("x", 7), 7);
    EXPECT_DOUBLE_EQ(TextoParaFloatOuPadrao("2,5", 7), 2.5);
    EXPECT_DOUBLE_EQ(InteiroImplicitoParaFloat("12345", 2), 123.45);
    EXPECT_DOUBLE_EQ(InteiroImplicitoParaFloat("5", 2), 0.05);
    EXPECT_DOUBLE_EQ(InteiroImplicitoParaFloat("5", 0), 5);
    EXPECT_THROW(InteiroImplicitoParaFloat("1x", 1), ConversionError);

    struct Case {
        const char *mask;
        double value;
        const char *expected;
    };
    const Case withPoint[] = {
        {"0.00", 2.5, "2.50"},
        {"0.00", 2.675, "2.68"},
        {"0.00", -2.675, "-2.68"},
        {"0.00", 1.005, "1.01"},
        {"0.00", -0.001, "0.00"},
        {",0.00", 1234567.891, "1234567.89"},
        {"0.##", 1.5, "1.5"},
        {"0.##", 2, "2"},
        {"#.##", 0.5, ".5"},
        {"000", 7, "007"},
        {"0", 2.5, "3"},
        {"0.0000000000", 1.0 / 3, "0.3333333333"},
        {"000-000", 123456, "123-456"},
        {"0.00;(0.00)", -1.5, "(1.50)"},
        {"0.00;-0.00;'zero'", 0.001, "zero"},
        {"'R$ '0.00", 3, "R$ 3.00"},
    };
    for (const auto &c : withPoint)
        EXPECT_EQ(FloatParaTexto('.', c.mask, c.value), c.expected) << c.mask << " " << c.value;
    EXPECT_EQ(FloatParaTexto(',', "0.00", 2.5), "2,50");

    const Case general[] = {
        {"", 2.5, "2.5"},
        {"", 0, "0"},
        {"", 1e20, "1E20"},
        {"", 1.5e-7, "1.5E-7"},
        {"", 0.00001, "0.00001"},
        {"", 123456789012345.0, "123456789012345"},
        {"", 1e15, "1E15"},
        {"", 0.1 + 0.2, "0.3"},
        {"", -1234.5678, "-1234.5678"},
        {"", 2.0 / 3, "0.666666666666667"},
    };
    for (const auto &c : general)
        EXPECT_EQ(FloatParaTexto('.', c.mask, c.value), c.expected) << c.value;

    EXPECT_EQ(FloatParaTexto('.', "0.00", Decimal::fromUnits(26750)), "2.68");
    EXPECT_EQ(FloatParaTexto(',', "", Decimal::fromUnits(-26750)), "-2,675");

    // A fixed count of places without a mask agrees with the mask it stands for:
    // rounding carries, negatives that round to zero, tiny and huge values.
    const double semMascara[] = {0,       2.675,  -2.675, 9.995, -0.004, 0.1 + 0.2,
                                 1.0 / 3, 123.45, 1e-12,  1e20,  -1e20,  999999.9999999999};
    for (const int casas : {1, 2, 4, 10})
        for (const double valor : semMascara)
            EXPECT_EQ(FloatComCasas(',', casas, valor),
                      FloatParaTexto(',', MascaraDecimais(static_cast<std::int16_t>(casas), false), valor))
                << casas << " " << valor;

    EXPECT_EQ(MascaraDecimais(0, true), "0");
    EXPECT_EQ(MascaraDecimais(3, false), "0.000");
    EXPECT_EQ(MascaraDecimais(2, true), ",0.00");

    EXPECT_EQ(FormataNumeroBrasil(1234.5), "1.234,50");
    EXPECT_EQ(FormataNumeroBrasil(1234567.5, ",0.000"), "1.234.567,500");
    EXPECT_EQ(FormataNumeroBrasil(12.5, "-,0.00"), "-12,50");
    EXPECT_EQ(FormataNumeroBrasil(12.5, "+,0.00"), "+12,50");
    EXPECT_EQ(FormataNumeroBrasil(-1234.5), "-1.234,50");
    EXPECT_EQ(FormataNumeroBrasil(999.995), "1.000,00");
    EXPECT_EQ(FormataNumeroBrasil(Decimal::fromUnits(10050)), "1,01");
}

// Scientific notation is not built: a mask asking for it is refused instead of
// giving "12345.67E+80".
TEST(NumberUtils, ScientificMasksAreRefused)
{
    for (const char *mask : {"0.00E+00", "#.##e-0", "0;0.0E+0"}) {
        EXPECT_THROW(FloatParaTexto('.', mask, 12345.678), EQuibException) << mask;
        EXPECT_THROW(FloatParaTexto('.', mask, Decimal::fromUnits(10000)), EQuibException) << mask;
        EXPECT_THROW(FormataNumeroBrasil(12345.678, mask), EQuibException) << mask;
    }
    try {
        FloatParaTexto('.', "0.00E+00", 12345.678);
    } catch (const EQuibException &error) {
        EXPECT_STREQ(error.what(),
                     "Máscara numérica \"0.00E+00\" não suportada: notação científica (E+) não é gerada");
    }
    // Quoted, or without a sign, the letter is literal text.
    EXPECT_EQ(FloatParaTexto('.', "0.00'E+'", 2.5), "2.50E+");
    EXPECT_EQ(FloatParaTexto('.', "0E", 2), "2E");
}

TEST(NumberUtils, NumberTexts)
{
    expectNumberTexts();
}

TEST(NumberUtils, NumberTextsIgnoreTheBrazilianLocale)
{
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "pt_BR.UTF-8") == nullptr)
        GTEST_SKIP() << "locale pt_BR.UTF-8 is not available on this machine";
    const std::locale oldCpp = std::locale::global(std::locale("pt_BR.UTF-8"));
    // The locale really is active: the C library now writes a decimal comma.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", 2.5);
    EXPECT_STREQ(buffer, "2,5");

    expectNumberTexts();
    EXPECT_EQ(DataHoraFormatoBR(encodeDateTime({2019, 5, 2, 8, 5, 9, 0})), "02/05/2019 08:05:09");

    std::locale::global(oldCpp);
    std::setlocale(LC_ALL, oldC.c_str());
}

TEST(NumberUtils, EmptinessTests)
{
    EXPECT_TRUE(TextoVazio(""));
    EXPECT_FALSE(TextoVazio(" "));
    EXPECT_TRUE(TextoPreenchido(" "));
    EXPECT_TRUE(InteiroZero(0));
    EXPECT_FALSE(InteiroZero(-1));
}

// ---- Dates and zones ------------------------------------------------------------

// Names of months and days, long forms and AM/PM are not built: a format asking
// for them is refused instead of printing the month number for "mmmm".
TEST(DateUtils, TokensNotBuiltAreRefused)
{
    const TDateTime moment = encodeDateTime({2019, 5, 2, 18, 7, 3, 0});
    for (const char *format :
         {"dd 'de' mmmm 'de' yyyy", "mmm/yy", "dddd", "ddddd", "c", "hh:nn am/pm", "h a/p", "tt"}) {
        EXPECT_THROW(DataFormatoBR(moment, format), EQuibException) << format;
        EXPECT_THROW(DataHoraFormatoBR(moment, format), EQuibException) << format;
    }
    try {
        DataFormatoBR(moment, "dd mmmm yyyy");
    } catch (const EQuibException &error) {
        EXPECT_STREQ(error.what(), "Formato de data \"dd mmmm yyyy\" não suportado: \"mmmm\" não é gerado");
    }
}

TEST(DateUtils, FixedFormats)
{
    const TDateTime moment = encodeDateTime({2019, 5, 2, 18, 7, 3, 45});
    EXPECT_EQ(DataFormatoBR(moment), "02/05/2019");
    EXPECT_EQ(DataFormatoBR(moment, "YYYY-MM-DD hh:nn"), "2019-05-02 00:00");
    EXPECT_EQ(DataHoraFormatoBR(moment), "02/05/2019 18:07:03");
    EXPECT_EQ(DataHoraFormatoBR(moment, "d/m/yy h:mm:ss.zzz"), "2/5/19 18:07:03.045");
    EXPECT_EQ(DataHoraFormatoBR(moment, "'dia' dd"), "dia 02");
    EXPECT_EQ(DataHoraParaTextoCompacto(moment), "20190502180703");
    EXPECT_EQ(DataFormatoBR(moment, "'mmmm' dd"), "mmmm 02");

    EXPECT_DOUBLE_EQ(TextoCompactoParaDataHora("20190502"), encodeDate(2019, 5, 2));
    EXPECT_DOUBLE_EQ(TextoCompactoParaDataHora(" 20190502180703 "),
                     encodeDateTime({2019, 5, 2, 18, 7, 3, 0}));
    EXPECT_EQ(TextoCompactoParaDataHora("2019"), 0);
    EXPECT_EQ(TextoCompactoParaDataHora("20190230"), 0);
    EXPECT_EQ(TextoCompactoParaDataHora("2019xx02"), 0);
    EXPECT_EQ(TextoCompactoParaDataHora(""), 0);
}

TEST(DateUtils, ZoneTexts)
{
    for (const char *good : {"Z", "z", "-03:00", "+14:00", "+00:30"})
        EXPECT_TRUE(FusoValido(good)) << good;
    for (const char *bad : {"", "-3:00", "03:00", "-03-00", "-0a:00", "ZZ"})
        EXPECT_FALSE(FusoValido(bad)) << bad;

    EXPECT_TRUE(TextoTemFuso("2019-05-02T10:00:00-03:00"));
    EXPECT_TRUE(TextoTemFuso("2019-05-02T10:00:00Z"));
    EXPECT_FALSE(TextoTemFuso("2019-05-02T10:00:00-3:00"));
    EXPECT_FALSE(TextoTemFuso(""));

    EXPECT_EQ(MinutosDoFuso("2019-05-02T10:00:00-03:00"), 180);
    EXPECT_EQ(MinutosDoFuso("2019-05-02T10:00:00+02:00"), -120);
    EXPECT_EQ(MinutosDoFuso("2019-05-02T10:00:00Z"), 0);
    EXPECT_EQ(MinutosDoFuso("2019-05-02T10:00:00"), -1);

    EXPECT_EQ(formatUtcOffset(-180), "-03:00");
    EXPECT_EQ(formatUtcOffset(330), "+05:30");
    EXPECT_EQ(formatUtcOffset(0), "+00:00");
}

TEST(DateUtils, ConvertLocalTimeOfAZoneToUtc)
{
    const TDateTime ten = encodeDateTime({2019, 5, 2, 10, 0, 0, 0});
    EXPECT_DOUBLE_EQ(ConverteParaFuso("-03:00", ten), encodeDateTime({2019, 5, 2, 13, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(ConverteParaFuso("+14:00", ten), encodeDateTime({2019, 5, 1, 20, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(ConverteParaFuso("-03:59", ten), encodeDateTime({2019, 5, 2, 13, 59, 0, 0}));
    for (const char *bad : {"-03:60", "+15:00", "Z", "-0300", "-03:0x"})
        EXPECT_EQ(ConverteParaFuso(bad, ten), 0) << bad;

    // Empty zone: the computer's offset; zero date-time: now, from the clock.
    const char *tz = std::getenv("TZ");
    const std::string oldTz = tz ? tz : "";
    setenv("TZ", "America/Sao_Paulo", 1);
    tzset();
    setClock([] { return system_clock::time_point(sys_days{2023y / July / 1} + 15h); });
    EXPECT_DOUBLE_EQ(ConverteParaFuso("", ten), encodeDateTime({2019, 5, 2, 13, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(ConverteParaFuso("-03:00", 0), encodeDateTime({2023, 7, 1, 15, 0, 0, 0}));
    resetClock();
    if (tz)
        setenv("TZ", oldTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
