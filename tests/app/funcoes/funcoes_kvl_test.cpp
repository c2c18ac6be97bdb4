#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/funcoes/adc_funcoes.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/formatos_processo.h"
#include "foundation/base/quib_exception.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using testsupport::TempDir;

namespace {

TEST(FuncoesKvl, TextFunctions)
{
    EXPECT_EQ(ZerosEsquerda(7, 3), "007");
    EXPECT_EQ(ZerosEsquerda(12345, 3), "345");
    EXPECT_EQ(AjustaTamanho("ABCDEF", 4, false), "CDEF");
    EXPECT_EQ(AjustaTamanho("ABCDEF", 4, true), "ABCD");
    EXPECT_EQ(AjustaTamanho("AB", 4, false), "  AB");
    EXPECT_EQ(AjustaTamanho("Çã", 4, true), "Çã  ");
    EXPECT_EQ(TextoDepois("abc", ":"), "");
    EXPECT_EQ(TextoAntes("abc", ":"), "abc");
    EXPECT_EQ(TextoDepois("host:c:\\x", ":"), "c:\\x");
    EXPECT_EQ(TextoAntes("host:c:\\x", ":"), "host");
    EXPECT_EQ(CaractereNaPosicao("ação", 2), "ç");
    EXPECT_THROW(CaractereNaPosicao("abc", 4), std::out_of_range);
    EXPECT_EQ(Espacos(-1), "");
    EXPECT_EQ(RepeteTexto("ab", 3), "ababab");
    EXPECT_EQ(CentralizaTexto(1, 10, "abcd"), "   abcd"); // |4 + 1 - 2| = 3
    EXPECT_EQ(CentralizaTexto(10, 1, "ab"), "     ab");   // |-4 + 10 - 1| = 5
}

TEST(FuncoesKvl, InsereNaLinhaAlignments)
{
    struct Case {
        const char *alignment;
        int column;
        const char *expected;
    };
    // clang-format off
    const Case cases[] = {
        {"E", 3,  "12XYZ67890"},
        {"e", 9,  "12345678XYZ"},   // beyond the end: not padded, the line is cut
        {"D", 5,  "12XYZ67890"},
        {"D", 2,  "XYZ34567890"},   // start never below 1
        {"C", 4,  "12XYZ67890"},    // round(3/2) = 2 (halves to even)
        {"C", 12, "1234567890XYZ"}, // beyond the end: appended
        {"X", 3,  ""},
    };
    // clang-format on
    for (const Case &c : cases)
        EXPECT_EQ(InsereNaLinha("XYZ", "1234567890", c.alignment, c.column), c.expected)
            << c.alignment << c.column;
}

TEST(FuncoesKvl, BarraFinalKeepsThePathsSeparator)
{
    // clang-format off
    const std::pair<const char *, const char *> cases[] = {
        {"",             "\\"},
        {"C:\\DriveKVL", "C:\\DriveKVL\\"},
        {"C:\\DriveKVL\\", "C:\\DriveKVL\\"},
        {"C:/DriveKVL",  "C:/DriveKVL\\"},
        {"/home/kvl",    "/home/kvl/"},
        {"/home/kvl/",   "/home/kvl/"},
        {"pasta",        "pasta\\"},
    };
    // clang-format on
    for (const auto &[in, out] : cases)
        EXPECT_EQ(BarraFinal(in), out) << in;
}

TEST(FuncoesKvl, NormalizaTextoAndSmallConversions)
{
    EXPECT_EQ(NormalizaTexto("Ação d'Água nº 5\t{ok}; ±ü"), "ACAo d Agua no 5{ok}; ");
    EXPECT_EQ(TrocaCaractere("a.b.c", ".", "::"), "a::b::c");
    EXPECT_EQ(RemoveCaractere("12.345-6", "."), "12345-6");
    EXPECT_EQ(SomenteNumeros("12.a3-4"), "1234");
    EXPECT_TRUE(SimNaoParaBool("sim"));
    EXPECT_TRUE(SimNaoParaBool("t"));
    EXPECT_FALSE(SimNaoParaBool("S"));
    EXPECT_EQ(BoolParaSimNao(false), "NAO");
    EXPECT_TRUE(ClasseCombo("TDBComboBox"));
    EXPECT_FALSE(ClasseCombo("TEdit"));
    EXPECT_TRUE(ContemTexto("", "x"));
    EXPECT_FALSE(ContemTexto("", ""));
    EXPECT_TRUE(ContemTexto("kvl", "DriveKVL"));
}

TEST(FuncoesKvl, NumbersAndLists)
{
    EXPECT_EQ(Arredonda(2.5, 0), 2);
    EXPECT_EQ(Arredonda(3.5, 0), 4);
    EXPECT_DOUBLE_EQ(Arredonda(1.2345, 2), 1.23);
    EXPECT_EQ(FloatParaInteiro(-7.9), -7);
    EXPECT_THROW(FloatParaInteiro(3e9), ConversionError);
    EXPECT_EQ(Divide(1, 0), 0);
    EXPECT_EQ(Divide(0, 5), 0);
    EXPECT_DOUBLE_EQ(Divide(1, 4), 0.25);

    const std::vector<std::string> lista = {"Caixa", "All", "Gerente"};
    EXPECT_EQ(std::get<int>(ProcuraNaLista(lista, "gerente", "Integer")), 1);
    EXPECT_EQ(std::get<int>(ProcuraNaLista(lista, "CAIXA", "Integer")), 0);
    EXPECT_EQ(std::get<int>(ProcuraNaLista({"a"}, "b", "Integer")), -1);
    EXPECT_TRUE(std::get<bool>(ProcuraNaLista(lista, "qualquer", "Boolean")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(ProcuraNaLista(lista, "a", "boolean")));
}

class DatasKvl : public ::testing::Test {
  protected:
    void SetUp() override
    {
        restauraFormatosDoProcesso();
        setClock([] { return std::chrono::system_clock::from_time_t(1715000000); }); // May 2024
    }
    void TearDown() override
    {
        resetClock();
        restauraFormatosDoProcesso();
    }
};

TEST_F(DatasKvl, DaysOfMonthFollowTheGregorianCalendar)
{
    // clang-format off
    const struct { int month, year, days; } cases[] = {
        {2, 1900, 28}, {2, 2100, 28}, {2, 2000, 29}, {2, 2024, 29}, {2, 2023, 28},
        {4, 2023, 30}, {11, 2023, 30}, {1, 2023, 31}, {13, 2023, 31}, {0, 2023, 31},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(DiasDoMes(c.month, c.year), c.days) << c.month << "/" << c.year;
    EXPECT_EQ(MesAbreviado(9), "Set");
    EXPECT_EQ(MesAbreviado(0), "");
}

TEST_F(DatasKvl, FormataDataHoraPatterns)
{
    const TDateTime data = encodeDateTime({2024, 3, 7, 9, 5, 4, 0});
    // clang-format off
    const std::pair<const char *, const char *> cases[] = {
        {"HHMMSS", "090504"}, {"HH:MM:SS", "09:05:04"}, {"HH:MM", "09:05"}, {"HHMM", "0905"},
        {"MM:SS", "05:04"}, {"AAAAMMDD", "20240307"}, {"DDMMAAAA", "07032024"}, {"DDMM", "0703"},
        {"AAMM", "2403"}, {"AAAAMM", "202403"}, {"AAAA", "2024"}, {"MMDD", "0307"},
        {"DDMMAA", "070324"}, {"MMAAAA", "032024"}, {"DD/MM/AAAA", "07/03/2024"},
        {"DD-MM-AAAA", "07-03-2024"}, {"DD/MM/AA", "07/03/24"}, {"MM/DD/AAAA", "03/07/2024"},
        {"AAAA-MM-DD", "2024-03-07"}, {"AAAA-DD-MM", "2024-07-03"}, {"dd/mm/aaaa", "07/03/2024"},
        {" DDMM", ""}, {"YYYY", ""},
    };
    // clang-format on
    for (const auto &[pattern, expected] : cases)
        EXPECT_EQ(FormataDataHora(pattern, data), expected) << pattern;
    EXPECT_EQ(ParteData("mes", data), 3);
    EXPECT_EQ(ParteData("ANO", data), 2024);
    EXPECT_EQ(ParteData("x", data), 7);
}

TEST_F(DatasKvl, DateTextsFollowTheProcessFormat)
{
    EXPECT_EQ(DataMMDDAAAA("07/03/2024"), "03/07/2024");
    EXPECT_EQ(DataMMDDAAAA("7/3/24"), "03/07/2024");
    EXPECT_EQ(DataMMDDAAAA("7/3"), "03/07/2024");
    EXPECT_FALSE(DataInvalida("29/02/2024"));
    for (const char *bad : {"29/02/1900", "31/04/2024", "07-03-2024", "", "a/b/c", "1/2/3/4"})
        EXPECT_TRUE(DataInvalida(bad)) << bad;
    EXPECT_THROW(DataMMDDAAAA("32/01/2024"), ConversionError);

    formatosDoProcesso().formatoDataCurta = "yyyy-mm-dd";
    EXPECT_EQ(DataMMDDAAAA("2024-03-07"), "03/07/2024");
    EXPECT_TRUE(DataInvalida("07/03/2024"));
}

TEST_F(DatasKvl, ClockAndWaitAreInjectable)
{
    setClock([] { return std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 365 * 50); });
    const DateTimeParts parts = decodeDateTime(nowLocal());
    EXPECT_EQ(SegundosDoDia(), parts.hour * 3600 + parts.minute * 60 + parts.second);

    std::chrono::milliseconds slept{0};
    setSleep([&](std::chrono::milliseconds ms) { slept += ms; });
    Aguarda(1500);
    Aguarda(-3);
    resetSleep();
    EXPECT_EQ(slept.count(), 1500);
}

TEST(ArquivosKvl, CopiaArquivoKeepsTimeAndRefusesTheSameFile)
{
    TempDir dir;
    const fs::path origem = dir.write("origem.txt", "conteúdo");
    const auto antiga = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(origem, antiga);
    dir.write("destino.txt", "antigo e mais longo");

    EXPECT_TRUE(CopiaArquivo(origem.string(), (dir / "destino.txt").string()));
    EXPECT_EQ(testsupport::readFile(dir / "destino.txt"), "conteúdo");
    EXPECT_EQ(fs::last_write_time(dir / "destino.txt"), fs::last_write_time(origem));
    EXPECT_NEAR(DataArquivo((dir / "destino.txt").string()), DataArquivo(origem.string()), 1e-6);
    EXPECT_EQ(DataArquivo((dir / "falta").string()), 0);

    EXPECT_FALSE(CopiaArquivo(origem.string(), origem.string()));
    EXPECT_FALSE(CopiaArquivo(origem.string(), (dir / "." / "origem.txt").string()));
    EXPECT_EQ(testsupport::readFile(origem), "conteúdo");
    EXPECT_FALSE(CopiaArquivo((dir / "falta").string(), (dir / "x").string()));
    EXPECT_FALSE(CopiaArquivo(origem.string(), (dir / "sem" / "x").string()));
    EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename().string().find(".XXXXXX"),
              std::string::npos);
}

TEST(ArquivosKvl, VolumeSerialAndWindowsVersion)
{
    testsupport::ScopedEnv unmapped("KVL_DRIVE_Q", std::nullopt);
    const std::string serial = NumeroSerieVolume("/");
    EXPECT_EQ(serial.size(), 8u);
    EXPECT_EQ(serial.find_first_not_of("0123456789ABCDEF"), std::string::npos) << serial;
    EXPECT_EQ(NumeroSerieVolume("Q:\\"), " ");
    EXPECT_EQ(VersaoWindows(), "");
}

} // namespace
