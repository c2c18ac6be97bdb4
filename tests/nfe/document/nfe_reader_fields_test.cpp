#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/decimal.h"
#include "foundation/xml/leitor.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_walk.h"

namespace {

using nfe_reader::CamposNFe;
using nfe_reader::GruposPresentes;

// Decimals reach the model exactly as written, rounded half away from zero
// to four places, on either side of the quick conversion's range.
TEST(NFeReaderFields, DecimalsAsWritten)
{
    const char *textos[] = {"0.1",
                            "2.675",
                            "1.005",
                            "0.00005",
                            "-0.00005",
                            "-0.0001",
                            "123.4567",
                            "99999999999.99",
                            "99999999999.9999",
                            "100000000000.01",
                            "1234567890123.45",
                            "0.30000000000000004",
                            "7.9999999999",
                            "-42"};
    for (const char *texto : textos) {
        TLeitor leitor;
        leitor.setGrupo(std::string("<v>") + texto + "</v>");
        EXPECT_EQ(CamposNFe(leitor).decimal(vcDecimal4, "v"), Decimal::parse(texto).value()) << texto;
    }
    TLeitor vazio;
    EXPECT_TRUE(CamposNFe(vazio).decimal(vcDecimal2, "v").isZero());

    TLeitor grande;
    grande.setGrupo("<vNF>1e300</vNF>");
    EXPECT_THROW(CamposNFe(grande).decimal(vcDecimal2, "vNF"), ConversionError);
}

TEST(NFeReaderFields, WholeNumbers)
{
    EXPECT_EQ(nfe_reader::inteiroObrigatorio(" 42 ", "x"), 42);
    EXPECT_EQ(nfe_reader::inteiroObrigatorio("+7", "x"), 7);
    EXPECT_EQ(nfe_reader::inteiroObrigatorio("-3", "x"), -3);
    for (const char *texto : {"", " ", "4a", "+-3", "1.0", "99999999999"})
        EXPECT_THROW(nfe_reader::inteiroObrigatorio(texto, "x"), ConversionError) << texto;
}

// Only a name that never opens as "<G>", "<G " or "<G:" counts as absent.
TEST(NFeReaderFields, GroupsThatCanBeInAText)
{
    const GruposPresentes presentes("<det><ICMS attr='1'><prod:x/><vol/></vol><<dup><NVE\t/>");
    EXPECT_TRUE(presentes.podeConter("ICMS"));
    EXPECT_TRUE(presentes.podeConter("prod"));
    EXPECT_TRUE(presentes.podeConter("dup"));
    EXPECT_FALSE(presentes.podeConter("vol"));
    EXPECT_FALSE(presentes.podeConter("NVE"));
    EXPECT_FALSE(presentes.podeConter("ICMSST"));
    EXPECT_TRUE(presentes.podeConter("grupoQualquer")); // not one of the reader's groups
    EXPECT_TRUE(GruposPresentes().podeConter("vol"));   // nothing known yet
}

} // namespace
