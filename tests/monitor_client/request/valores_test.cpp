#include "monitor_client/frm_nfe_2g.h"

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

struct Caso {
    std::string entrada;
    std::string extra;
    std::string esperado;
};

TEST(LinhaDaRequisicao, PadsKeysToFifteenCharacters)
{
    EXPECT_EQ(TfrmNFE_2G::Sp(4, "cUF"), "    cUF             = ");
    EXPECT_EQ(TfrmNFE_2G::Sp(8, "ccordenatran"), "        ccordenatran    = ");
    EXPECT_EQ(TfrmNFE_2G::Sp(0, "abcdefghijklmno"), "abcdefghijklmno = ");
    EXPECT_EQ(TfrmNFE_2G::Sp(0, "abcdefghijklmnop"), "abcdefghijklmnop = ");
    EXPECT_EQ(TfrmNFE_2G::Sp(2, ""), "  ");
}

TEST(ValoresDaRequisicao, FtDcNormalisesEitherSeparator)
{
    const Caso casos[] = {
        {"15,600.00", "00", "15600.00"},
        {"-3,20", "00", "3.20"},
        {"", "00", "0.00"},
        {"1.5", "000", "1.500"},
        {"1.234", "0000", "1.2340"},
        {"1.234,5", "00", "1234.50"},
        {" 7 ", "00", "7.00"},
        {"2.675", "00", "2.68"},
        {"1.005", "00", "1.01"},
        {"9.995", "00", "10.00"},
        {"0.5", "", "1"},
        {"12.5", "", "13"},
        {"abc", "00", "0.00"},
        {"1.5", "0000000000", "1.5000000000"},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(TfrmNFE_2G::FtDc(caso.entrada, caso.extra), caso.esperado) << caso.entrada;
}

TEST(ValoresDaRequisicao, FtDcIgnoresTheProcessLocale)
{
    const char *anterior = std::setlocale(LC_ALL, nullptr);
    const std::string guardado = anterior ? anterior : "C";
    if (!std::setlocale(LC_ALL, "pt_BR.UTF-8"))
        GTEST_SKIP() << "pt_BR.UTF-8 locale not installed";
    EXPECT_EQ(TfrmNFE_2G::FtDc("1,234.5", "00"), "1234.50");
    EXPECT_DOUBLE_EQ(TfrmNFE_2G::valorReal("1,234.5"), 1234.5);
    std::setlocale(LC_ALL, guardado.c_str());
}

TEST(ValoresDaRequisicao, ValorRealDropsThousandsAndNamesTheFieldOnError)
{
    EXPECT_DOUBLE_EQ(TfrmNFE_2G::valorReal("15,600.00"), 15600);
    EXPECT_DOUBLE_EQ(TfrmNFE_2G::valorReal("  2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(TfrmNFE_2G::valorReal(""), 0);
    for (const char *ruim : {"abc", "-3", "1.2.3", "12a"}) {
        try {
            TfrmNFE_2G::valorReal(ruim, "vlr_total_not");
            ADD_FAILURE() << ruim;
        } catch (const ConversionError &erro) {
            EXPECT_NE(std::string(erro.what()).find("vlr_total_not"), std::string::npos) << erro.what();
        }
    }
}

TEST(ValoresDaRequisicao, ChrEspCleansNamesAndAddresses)
{
    const Caso casos[] = {
        {"Pão & Cia.", "", "PAo  Cia."},
        {"Loja \"Boa\" Ltda", "", "Loja  Boa  Ltda"},
        {"Rua A\\B nº 5", "", "Rua AB no 5"},
        {"a<b>c?d^e~f@g*h", "", "abcdefgh"},
        {"linha1\r\nlinha2\tfim", "", "linha1linha2fim"},
        {"D'OESTE § 1", "", "D OESTE  1"},
        {"ÁÉÍÓÚÇ áéíóúç", "", "AEIOUC AEIOUC"},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(TfrmNFE_2G::ChrEsp(caso.entrada), caso.esperado) << caso.entrada;
}

TEST(ValoresDaRequisicao, AjHoraAndAjData)
{
    const Caso horas[] = {
        {"08:05", "", "08:05:00"},   {"8:5:33", "", "08:05:00"}, {"08:05:00", "", "08:05:00"},
        {"123:456", "", "23:56:00"}, {"", "", "00:00:00"},       {"h9:m7", "", "09:07:00"},
        {"14", "", "14:00:00"},
    };
    for (const auto &caso : horas)
        EXPECT_EQ(TfrmNFE_2G::AjHora(caso.entrada), caso.esperado) << caso.entrada;

    EXPECT_EQ(TfrmNFE_2G::AjData(encodeDate(2024, 3, 7)), "2024-03-07");
    EXPECT_EQ(TfrmNFE_2G::AjData(TfrmNFE_2G::dataDoCampo("31/12/2023", "Dat_emi_not")), "2023-12-31");
    for (const char *ruim : {"00/00/0000", "31/02/2024", "ontem"}) {
        try {
            TfrmNFE_2G::dataDoCampo(ruim, "Dat_emi_not");
            ADD_FAILURE() << ruim;
        } catch (const ConversionError &erro) {
            EXPECT_NE(std::string(erro.what()).find("Dat_emi_not"), std::string::npos) << erro.what();
        }
    }
}

} // namespace
