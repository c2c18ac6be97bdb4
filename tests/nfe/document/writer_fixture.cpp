#include "writer_fixture.h"

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/random_source.h"
#include "tests/support/xml_checks.h"

void NFeWriterTest::SetUp()
{
    FusoHorarioGlobal().SetModoDeteccao(tzManual);
    FusoHorarioGlobal().SetTimeZoneStr("-03:00");
    setRandomDraw([](std::int64_t) { return std::int64_t{kFixedNumericCode}; });
}

void NFeWriterTest::TearDown()
{
    resetRandomDraw();
    FusoHorarioGlobal().SetModoDeteccao(tzSistema);
}

const char *const kCSRT = "G8063VRTNDMO8CZRSN0PP1C1GK23D1ACPXIQ";
const char *const kFrameKey = "35240511222333000181550010000012341314159266";

::testing::AssertionResult xmlBemFormado(const std::string &xml)
{
    const std::string problema = testsupport::wellFormedProblem(xml);
    if (problema.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint: " << problema;
}
