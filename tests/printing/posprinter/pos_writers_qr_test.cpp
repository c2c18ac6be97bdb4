// Each family's QR command read back: decoded in the family's own dialect,
// drawn with libqrencode at the command's module size and level, and
// scanned by zbarimg, which must find the exact payload.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/support/escpos_decoder.h"
#include "tests/support/run_command.h"

namespace {

std::string payload(std::size_t tamanho)
{
    std::string texto = "https://nfce.fazenda.exemplo/qrcode?p=";
    for (std::size_t i = 0; texto.size() < tamanho; ++i)
        texto.push_back("0123456789ABCDEF|"[i % 17]);
    return texto;
}

TEST(PosWritersQrTest, EveryFamilysQrScansBackWithItsPayload)
{
    ASSERT_TRUE(testsupport::hasProgram("zbarimg")) << "zbar-tools is missing: run scripts/install-deps.sh";
    // clang-format off
    const std::vector<std::pair<TQuibPosPrinterModelo, const char *>> familias = {
        {ppEscPosEpson, "EscPosEpson"}, {ppEscBematech, "EscBematech"}, {ppEscVox, "EscElgin"},
        {ppEscDaruma, "EscDaruma"},     {ppEscDiebold, "EscDiebold"},   {ppCustomPos, "EscCustomPos"},
        {ppEscPosStar, "EscPosStar"},   {ppEscZJiang, "EscZJiang"},     {ppEscGPrinter, "EscGPrinter"},
        {ppEscDatecs, "EscDatecs"},     {ppEscSunmi, "EscSunmi"},
    };
    // clang-format on
    for (const auto &[modelo, familia] : familias)
        for (std::size_t tamanho : {100U, 400U}) {
            SCOPED_TRACE(std::string(familia) + " " + std::to_string(tamanho));
            TQuibPosPrinter pos;
            pos.SetModelo(modelo);
            pos.Config().ConfigQRCode.LarguraModulo(4);
            pos.Config().ConfigQRCode.ErrorLevel(1);
            const std::string dados = payload(tamanho);
            const testsupport::EscPosQrSymbol qr =
                testsupport::decodeQrCommand(pos.DecodificarTags("<qrcode>" + dados + "</qrcode>"), familia);
            EXPECT_EQ(qr.data, dados);
            EXPECT_EQ(qr.level, 'M');
            EXPECT_EQ(qr.moduleSize, 4);
            EXPECT_EQ(testsupport::scanPicture(qr.draw().toPbm()), dados);
        }
}

TEST(PosWritersQrTest, DotMatrixPrintsThePayloadAsText)
{
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscEpsonP2);
    EXPECT_EQ(pos.DecodificarTags("<qrcode>" + payload(100) + "</qrcode>"), payload(100));
}

TEST(PosWritersQrTest, OverrunningLengthsFailTheDecoder)
{
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscZJiang);
    std::string comando = pos.DecodificarTags("<qrcode>ABC</qrcode>");
    comando.pop_back();
    EXPECT_THROW(testsupport::decodeQrCommand(comando, "EscZJiang"), std::runtime_error);
    EXPECT_THROW(testsupport::decodeQrCommand(comando + "CD", "EscZJiang"), std::runtime_error);
}

} // namespace
