#include <gtest/gtest.h>

#include "printing/posprinter/pos_printer_class.h"
#include "tests/printing/posprinter/hex_bytes.h"

namespace {

TEST(PosPrinterClassTest, PlainTextWriterPrintsCodesAsTextAndFontsAsNothing)
{
    TQuibPosConfig config;
    config.EspacoEntreLinhas = 30;
    TQuibPosPrinterClass writer(config);

    EXPECT_EQ(writer.ModeloStr(), "Texto");
    EXPECT_EQ(writer.ComandoCodigoBarras("<ean13>", "7891234567895"), "7891234567895");
    EXPECT_EQ(writer.ComandoQRCode("https://x"), "https://x");
    for (int a = afNormal; a <= afAlturaDupla; ++a) {
        EXPECT_EQ(writer.ComandoFonte(static_cast<TQuibPosAtributoFonte>(a), true), "");
        EXPECT_EQ(writer.ComandoFonte(static_cast<TQuibPosAtributoFonte>(a), false), "");
    }
    EXPECT_EQ(writer.ComandoInicializa(), "");
    EXPECT_EQ(writer.ComandoPularLinhas(2), " \n \n");
    EXPECT_EQ(writer.ComandoImprimirLogo(), "");
    EXPECT_EQ(writer.ComandoGaveta(1), "");
}

TEST(PosPrinterClassTest, LineSpacingUsesDefaultForZeroAndNothingWithoutPrefix)
{
    TQuibPosConfig config;
    TQuibPosPrinterClass writer(config);
    writer.Comandos().EspacoEntreLinhasPadrao = "D";
    EXPECT_EQ(writer.ComandoEspacoEntreLinhas(0), "D");
    EXPECT_EQ(writer.ComandoEspacoEntreLinhas(30), "");
    writer.Comandos().EspacoLinhas = "S";
    EXPECT_EQ(writer.ComandoEspacoEntreLinhas(30), "S\x1E");
}

TEST(PosPrinterClassTest, InfoKeepsTrimmedValuesWithoutLeadingMarker)
{
    TQuibPosConfig config;
    TQuibPosPrinterClass writer(config);
    writer.AdicionarInfo("Fabricante", "  :ACME ");
    writer.AdicionarInfo("Firmware", "_1.02");
    writer.AdicionarInfo("Modelo", "   ");
    writer.AdicionarInfoBool("Guilhotina", true);
    writer.AdicionarInfoBool("Cheque", false);
    const std::map<std::string, std::string> expected = {
        {"Cheque", "0"}, {"Fabricante", "ACME"}, {"Firmware", "1.02"}, {"Guilhotina", "1"}};
    EXPECT_EQ(writer.Info(), expected);
}

TEST(PosPrinterClassTest, QrSettingsAreClampedOnWrite)
{
    TQuibConfigQRCode qr;
    qr.Tipo(0);
    qr.LarguraModulo(17);
    qr.ErrorLevel(-1);
    EXPECT_EQ(qr.Tipo(), 1);
    EXPECT_EQ(qr.LarguraModulo(), 16);
    EXPECT_EQ(qr.ErrorLevel(), 0);
    qr.Tipo(3);
    qr.LarguraModulo(0);
    qr.ErrorLevel(4);
    EXPECT_EQ(qr.Tipo(), 2);
    EXPECT_EQ(qr.LarguraModulo(), 1);
    EXPECT_EQ(qr.ErrorLevel(), 3);
}

} // namespace
