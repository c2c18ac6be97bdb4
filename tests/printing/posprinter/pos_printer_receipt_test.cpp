// Whole receipts through the Epson writer to a network printer, judged by the
// ESC/POS decoder of tests/support and by zbarimg reading the QR codes back.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/text/text_utils.h"
#include "printing/device/raster_image.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::decodeEscPos;
using testsupport::EscPosReceipt;
using testsupport::FakePosPrinter;

class PosPrinterReceiptTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::hasProgram("zbarimg"))
            << "zbar-tools is missing: run scripts/install-deps.sh";
        pos.SetModelo(ppEscPosEpson);
        pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
        pos.LinhasEntreCupons = 2;
    }
    // Prints the tag text and decodes what the printer received.
    EscPosReceipt imprimir(const std::string &texto)
    {
        pos.Ativar();
        const std::size_t antes = printer.received().size();
        std::string enviado;
        pos.OnEnviarStringDevice = [&enviado](const std::string &cmd, bool &) { enviado += cmd; };
        pos.Imprimir(texto);
        pos.OnEnviarStringDevice = nullptr;
        const std::string recebido = printer.waitForBytes(antes + enviado.size(), 5000).substr(antes);
        EXPECT_EQ(recebido.size(), enviado.size());
        return decodeEscPos(recebido);
    }
    FakePosPrinter printer;
    TQuibPosPrinter pos;
};

TEST_F(PosPrinterReceiptTest, SamplerPrintsTheExpectedReceipt)
{
    const EscPosReceipt receipt = imprimir(testsupport::testData("printing/posprinter/data/sampler.txt"));
    EXPECT_EQ(receipt.text(), testsupport::testData("printing/posprinter/data/sampler_receipt.txt") + "\n");

    ASSERT_EQ(receipt.qrCodes.size(), 1U);
    EXPECT_EQ(testsupport::scanPicture(receipt.qrCodes[0].draw().toPbm()), receipt.qrCodes[0].data);
    EXPECT_EQ(
        receipt.qrCodes[0].data,
        "https://nfce.fazenda.exemplo/qrcode?p=35200112345678000199650010000001231000001234|2|1|1|ABCDEF");
}

// The QR fixture as dots ("1" black), from its colour BMP (which, unlike the
// monochrome one, gives its width unrounded).
std::vector<std::string> qrComoTexto(int &width)
{
    std::istringstream bmp(testsupport::testBytes("data/printing/qr148_rgb24.bmp"));
    int height = 0;
    std::string raster;
    BitmapParaRaster(TQuibBitmap::LerBMP(bmp), true, width, height, raster);
    std::vector<std::string> linhas;
    RasterStrToAscII(raster, width, false, linhas);
    for (std::string &linha : linhas)
        linha.resize(static_cast<std::size_t>(width));
    return linhas;
}

// The dots as a 24-bit colour BMP one white column wider, so its width is odd.
std::string bmpColoridoLarguraImpar(const std::vector<std::string> &linhas)
{
    testsupport::BmpLayout layout;
    layout.width = static_cast<int>(linhas.front().size()) + 1;
    layout.height = static_cast<int>(linhas.size());
    layout.bitsPerPixel = 24;
    const std::size_t rowBytes = (static_cast<std::size_t>(layout.width) * 3 + 3) / 4 * 4;
    for (auto linha = linhas.rbegin(); linha != linhas.rend(); ++linha) {
        std::string row;
        for (char dot : *linha + "0")
            row.append(3, dot == '1' ? '\x20' : '\xE0'); // dark grey on light grey
        row.resize(rowBytes, '\0');
        layout.pixels += row;
    }
    return testsupport::makeBmp(layout);
}

TEST_F(PosPrinterReceiptTest, PicturesOfQrCodesScanBackInBothPictureForms)
{
    const std::string payload = testsupport::testData("data/printing/qr148.txt");
    int width = 0;
    const std::vector<std::string> linhas = qrComoTexto(width);
    ASSERT_EQ(width, 148);
    std::string arte;
    for (const std::string &linha : linhas)
        arte += linha + "\n";
    const testsupport::TempDir dir;
    const auto colorido = dir.write("qr149.bmp", bmpColoridoLarguraImpar(linhas));

    struct Case {
        const char *name;
        std::string conteudo;
    };
    const std::vector<Case> cases = {
        {"Base64", CodificaBase64(testsupport::testBytes("data/printing/qr148_mono.bmp"))},
        {"file", (testsupport::sourceDir() / "tests/data/printing/qr148_mono.bmp").string()},
        {"text art 148 wide", arte},
        {"colour BMP 149 wide", colorido.string()},
    };
    // KeyCode2 32 prints buffered raster graphics; 0 prints column bands.
    for (std::uint8_t keyCode2 : {32, 0}) {
        pos.Config().ConfigLogo.KeyCode2 = keyCode2;
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (keyCode2 == 0 ? ", columns" : ", raster"));
            const EscPosReceipt receipt = imprimir("<bmp>" + c.conteudo + "</bmp>");
            ASSERT_EQ(receipt.pictures.size(), 1U) << receipt.text();
            EXPECT_EQ(testsupport::scanPicture(receipt.pictures[0].toPbm(8)), payload);
        }
    }
}

} // namespace
