#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/numbers/number_date_utils.h"
#include "tests/support/time_zone_guard.h"

namespace {

using namespace std::chrono;
using testsupport::ScopedTimeZone;

TDateTime em(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0)
{
    return encodeDateTime({ano, mes, dia, hora, minuto, segundo, 0});
}

// Every test starts and ends with the process-wide setting as created, the
// system clock and the TZ it found.
class TimeZoneRules : public ::testing::Test {
  protected:
    void SetUp() override { FusoHorarioGlobal().Assign(TTimeZoneConf()); }
    void TearDown() override
    {
        FusoHorarioGlobal().Assign(TTimeZoneConf());
        resetClock();
    }
    static void fixClock(sys_seconds momento)
    {
        setClock([momento] { return system_clock::time_point(momento); });
    }
    static void useStateRules()
    {
        TTimeZoneConf conf;
        conf.SetModoDeteccao(tzPCN);
        FusoHorarioGlobal().Assign(conf);
    }

    ScopedTimeZone zone_{"America/Sao_Paulo"};
};

TEST_F(TimeZoneRules, EasterCarnivalAndSundays)
{
    const std::vector<std::pair<int, TDateTime>> pascoas = {
        {2000, em(2000, 4, 23)}, {2008, em(2008, 3, 23)}, {2009, em(2009, 4, 12)}, {2010, em(2010, 4, 4)},
        {2011, em(2011, 4, 24)}, {2012, em(2012, 4, 8)},  {2013, em(2013, 3, 31)}, {2014, em(2014, 4, 20)},
        {2015, em(2015, 4, 5)},  {2016, em(2016, 3, 27)}, {2017, em(2017, 4, 16)}, {2018, em(2018, 4, 1)},
        {2019, em(2019, 4, 21)}, {2024, em(2024, 3, 31)},
    };
    for (const auto &[ano, pascoa] : pascoas)
        EXPECT_EQ(DomingoDePascoa(ano), pascoa) << ano;
    EXPECT_EQ(TercaDeCarnaval(2012), em(2012, 2, 21));
    EXPECT_EQ(PrimeiroDomingo(2018, 11), em(2018, 11, 4));
    EXPECT_EQ(PrimeiroDomingo(2015, 11), em(2015, 11, 1)); // the 1st itself is a Sunday
    EXPECT_EQ(TerceiroDomingo(2008, 10), em(2008, 10, 19));
}

TEST_F(TimeZoneRules, SeasonsStartAndEndAsTheFederalRulesSay)
{
    EXPECT_EQ(ComecoDoHorarioDeVerao(2017), em(2017, 10, 15));
    EXPECT_EQ(ComecoDoHorarioDeVerao(2018), em(2018, 11, 4));
    EXPECT_EQ(ComecoDoHorarioDeVerao(2019), 0);
    EXPECT_EQ(TerminoDoHorarioDeVerao(2012), em(2012, 2, 26)); // Carnival Sunday was the 19th
    EXPECT_EQ(TerminoDoHorarioDeVerao(2015), em(2015, 2, 22));
    EXPECT_EQ(TerminoDoHorarioDeVerao(2013), em(2013, 2, 17));
    EXPECT_EQ(TerminoDoHorarioDeVerao(2019), em(2019, 2, 17));
    EXPECT_EQ(TerminoDoHorarioDeVerao(2020), 0);

    EXPECT_TRUE(EmHorarioDeVerao("SP", em(2018, 11, 4)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(2018, 11, 3, 23, 59, 59)));
    EXPECT_TRUE(EmHorarioDeVerao("SP", em(2019, 2, 17)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(2019, 2, 17, 0, 0, 1))); // only 00:00:00 of the end day
    EXPECT_TRUE(EmHorarioDeVerao("SP", em(2012, 2, 25, 12)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(2012, 2, 26, 12)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(2019, 11, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(2020, 1, 10)));

    // Only states that kept daylight saving, whole abbreviations only.
    EXPECT_TRUE(EmHorarioDeVerao("MT", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("AM", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("BA", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("sp", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("S", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("", em(2016, 1, 10)));
    EXPECT_FALSE(EmHorarioDeVerao("SP", em(1, 1, 10))); // no season before year 1
}

TEST_F(TimeZoneRules, StateOffsetsByGroup)
{
    useStateRules();
    const TDateTime verao = em(2019, 1, 10, 12);
    EXPECT_EQ(FusoHorarioDaUF("SP", verao), "-02:00");
    EXPECT_EQ(FusoHorarioDaUF("MT", verao), "-03:00");
    EXPECT_EQ(FusoHorarioDaUF("AM", verao), "-04:00");
    EXPECT_EQ(FusoHorarioDaUF("AC", verao), "-05:00");
    EXPECT_EQ(FusoHorarioDaUF("BA", verao), "-03:00");
    EXPECT_EQ(FusoHorarioDaUF("90", verao), "-02:00"); // counts as DF
    EXPECT_EQ(FusoHorarioDaUF("", verao), "-02:00");
    EXPECT_EQ(FusoHorarioDaUF("XX", verao), "-03:00");
    EXPECT_EQ(FusoHorarioDaUF("sp", verao), "-03:00");
    EXPECT_EQ(FusoHorarioDaUF("SP", em(2019, 2, 17, 12)), "-03:00");
    for (TDateTime dia = em(2019, 2, 18, 12); dia < em(2021, 1, 1); dia += 1) {
        ASSERT_EQ(FusoHorarioDaUF("SP", dia), "-03:00");
        ASSERT_EQ(FusoHorarioDaUF("MS", dia), "-04:00");
    }
}

// The offset the time-zone database gives for a local date-time in a zone.
std::string offsetNaZona(int ano, int mes, int dia, int hora)
{
    std::tm tm{};
    tm.tm_year = ano - 1900;
    tm.tm_mon = mes - 1;
    tm.tm_mday = dia;
    tm.tm_hour = hora;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    std::tm local{};
    localtime_r(&t, &local);
    return formatUtcOffset(static_cast<int>(local.tm_gmtoff / 60));
}

TEST_F(TimeZoneRules, StateOffsetsAgreeWithTheTimeZoneDatabase2008To2019)
{
    useStateRules();
    struct Zona {
        const char *nome;
        std::vector<const char *> ufs;
    };
    const Zona zonas[] = {
        {"America/Sao_Paulo", {"SP", "RJ", "MG", "ES", "PR", "SC", "RS", "GO", "DF"}},
        {"America/Cuiaba", {"MT"}},
        {"America/Campo_Grande", {"MS"}},
        {"America/Manaus", {"AM"}},
        {"America/Fortaleza", {"CE", "RN", "PB"}},
    };
    const year_month_day primeiro{year{2008} / January / 1};
    const year_month_day ultimo{year{2019} / December / 31};
    int diasDeVerao = 0;
    for (const Zona &zona : zonas) {
        ScopedTimeZone::use(zona.nome);
        for (sys_days d = sys_days{primeiro}; d <= sys_days{ultimo}; d += days{1}) {
            const year_month_day ymd{d};
            const int a = int(ymd.year());
            const int m = int(unsigned(ymd.month()));
            const int dd = int(unsigned(ymd.day()));
            // Noon of every day: the transitions happen at midnight.
            const std::string esperado = offsetNaZona(a, m, dd, 12);
            for (const char *uf : zona.ufs)
                ASSERT_EQ(FusoHorarioDaUF(uf, em(a, m, dd, 12)), esperado)
                    << zona.nome << " " << uf << " " << a << "-" << m << "-" << dd;
            if (std::string(zona.nome) == "America/Sao_Paulo" && esperado == "-02:00")
                ++diasDeVerao;
        }
    }
    EXPECT_GT(diasDeVerao, 11 * 100);

    // Fernando de Noronha keeps -02:00 all year: the offset the south-east
    // reaches in summer and only then.
    for (int ano = 2008; ano <= 2019; ++ano) {
        for (const auto &[mes, dia] : {std::pair{1, 15}, std::pair{7, 15}, std::pair{12, 15}}) {
            ScopedTimeZone::use("America/Noronha");
            const std::string noronha = offsetNaZona(ano, mes, dia, 12);
            EXPECT_EQ(noronha, "-02:00");
            ScopedTimeZone::use("America/Sao_Paulo");
            const bool verao = offsetNaZona(ano, mes, dia, 12) == "-02:00";
            EXPECT_EQ(FusoHorarioDaUF("SP", em(ano, mes, dia, 12)) == noronha, verao) << ano << "-" << mes;
        }
    }
}

TEST_F(TimeZoneRules, SystemModeFollowsTheComputersZoneAndClock)
{
    fixClock(sys_days{2015y / January / 10} + 15h);
    EXPECT_EQ(FusoHorarioDoSistema(), "-02:00");
    EXPECT_EQ(FusoHorarioDaUF("AM", em(2015, 7, 1)), "-02:00"); // the state and date play no part
    fixClock(sys_days{2015y / July / 10} + 15h);
    EXPECT_EQ(FusoHorarioDoSistema(), "-03:00");

    ScopedTimeZone::use("UTC");
    EXPECT_EQ(FusoHorarioDoSistema(), "+00:00");
    ScopedTimeZone::use("Asia/Kolkata");
    EXPECT_EQ(FusoHorarioDoSistema(), "+05:30");
    ScopedTimeZone::use("America/St_Johns");
    EXPECT_EQ(FusoHorarioDoSistema(), "-02:30");
}

TEST_F(TimeZoneRules, ManualModeKeepsAValidTypedOffset)
{
    ScopedTimeZone::use("Asia/Kolkata");
    TTimeZoneConf conf;
    EXPECT_EQ(conf.ModoDeteccao(), tzSistema);
    conf.SetTimeZoneStr("-03:00"); // ignored outside tzManual
    EXPECT_EQ(conf.TimeZoneStr(), "");

    conf.SetModoDeteccao(tzManual);
    EXPECT_EQ(conf.TimeZoneStr(), "+05:30"); // filled with the computer's offset

    for (const char *aceito : {"+14:00", "-11:30", "-03:00", "+00:00", "-11:59"}) {
        conf.SetTimeZoneStr(aceito);
        EXPECT_EQ(conf.TimeZoneStr(), aceito);
    }

    struct Recusado {
        const char *valor;
        const char *mensagem;
    };
    const Recusado recusados[] = {
        {" -03:00", "Tamanho de TimeZone deve ser 6. Ex: -03:00"},
        {"-3:00", "Tamanho de TimeZone deve ser 6. Ex: -03:00"},
        {"03:000", "Primeiro caractere deve ser \"+,-\". Ex: -03:00"},
        {"-03-00", "Quarto caractere deve ser \":\". Ex: -03:00"},
        {"-12:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
        {"+15:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
        {"-0x:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
        {"-03:60", "Minuto deve estar entre 0 a 59. Ex: -03:00"},
        {"-03:-1", "Minuto deve estar entre 0 a 59. Ex: -03:00"},
        {"-03:ab", "Minuto deve estar entre 0 a 59. Ex: -03:00"},
    };
    conf.SetTimeZoneStr("-04:00");
    for (const Recusado &caso : recusados) {
        try {
            conf.SetTimeZoneStr(caso.valor);
            ADD_FAILURE() << caso.valor << " was accepted";
        } catch (const EQuibException &e) {
            EXPECT_STREQ(e.what(), caso.mensagem) << caso.valor;
        }
        EXPECT_EQ(conf.TimeZoneStr(), "-04:00");
    }

    conf.SetTimeZoneStr("   ");
    EXPECT_EQ(conf.TimeZoneStr(), "+05:30");

    conf.SetTimeZoneStr("-04:00");
    FusoHorarioGlobal().Assign(conf);
    EXPECT_EQ(FusoHorarioGlobal().ModoDeteccao(), tzManual);
    EXPECT_EQ(FusoHorarioDaUF("AC", em(2015, 1, 10)), "-04:00");

    conf.SetModoDeteccao(tzPCN); // leaving tzManual clears the text
    EXPECT_EQ(conf.TimeZoneStr(), "");
    conf.SetModoDeteccao(tzManual);
    EXPECT_EQ(conf.TimeZoneStr(), "+05:30");
}

TEST_F(TimeZoneRules, GlobalSettingStartsInSystemModeAndTakesCopies)
{
    EXPECT_EQ(FusoHorarioGlobal().ModoDeteccao(), tzSistema);
    EXPECT_EQ(FusoHorarioGlobal().TimeZoneStr(), "");
    EXPECT_EQ(&FusoHorarioGlobal(), &FusoHorarioGlobal());

    TTimeZoneConf manual;
    manual.SetModoDeteccao(tzManual);
    manual.SetTimeZoneStr("+03:00");
    FusoHorarioGlobal().Assign(manual);
    EXPECT_EQ(FusoHorarioGlobal().TimeZoneStr(), "+03:00");
    manual.SetTimeZoneStr("+04:00"); // a copy, not a reference
    EXPECT_EQ(FusoHorarioGlobal().TimeZoneStr(), "+03:00");
    EXPECT_EQ(EnumValueName(tzPCN), "tzPCN");
}

} // namespace
