// The Epson writer's byte examples as a golden listing: one command a line,
// hexadecimal and its name, so a failing comparison reads on both sides.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/test_data.h"

namespace {

TEST(PosPrinterGoldenTest, EpsonExamplesMatchTheirListing)
{
    // Tag texts through one component, in order: the settings blocks carry on.
    const std::vector<std::string> textos = {
        "<code128>ABC</code128>",
        "<code128>{AAB</code128>",
        "<code128c>123</code128c>",
        "<barra_largura>9</barra_largura><barra_altura>300</barra_altura><ean13>7890</ean13>",
        "<qrcode_tipo>1</qrcode_tipo><qrcode_largura>4</qrcode_largura><qrcode_error>1</qrcode_error>"
        "<qrcode>AB</qrcode>",
        "<logo_kc1>49</logo_kc1><logo_kc2>0</logo_kc2></logo>",
        "<logo_fatorx>2</logo_fatorx><logo_fatory>2</logo_fatory></logo>",
        "<c><n></c>",
        "</ce><e>X</e></ae></corte_parcial></abre_gaveta></beep>",
    };
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.LinhasEntreCupons = 1;
    std::string listagem;
    for (const std::string &texto : textos)
        listagem += "# " + texto + "\n" + testsupport::escPosListing(pos.DecodificarTags(texto));
    EXPECT_EQ(listagem, testsupport::testData("printing/posprinter/data/epson_examples.txt") + "\n");
}

} // namespace
