#include <gtest/gtest.h>

#include <string>

#include "printing/device/usb_printer_hooks.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/printing/device/vendor_library_folder.h"

namespace {

class PosPrinterUsbHook : public ::testing::Test {
  protected:
    void SetUp() override
    {
        LimparHooksRegistrados();
        RegistrarHooksUSB();
    }
    void TearDown() override { LimparHooksRegistrados(); }

    static std::string marcaEscolhida(const std::string &porta)
    {
        TQuibPosPrinter pos;
        pos.SetPorta(porta);
        try {
            pos.ConfigurarHookUSB();
        } catch (const std::exception &e) {
            return e.what();
        }
        return pos.HookUSB()->Marca();
    }
};

TEST_F(PosPrinterUsbHook, RegistersEpsonBeforeElgin)
{
    ASSERT_EQ(HooksRegistrados().size(), 2u);
    EXPECT_EQ(HooksRegistrados()[0].Marca, "EPSON");
    EXPECT_EQ(HooksRegistrados()[1].Marca, "ELGIN");
    RegistrarHooksUSB();
    EXPECT_EQ(HooksRegistrados().size(), 2u) << "registered once";
}

TEST_F(PosPrinterUsbHook, BrandFollowsThePortAndTheLibrariesPresent)
{
    {
        VendorLibraryFolder ambas({"epson", "elgin"});
        EXPECT_EQ(marcaEscolhida("DLL"), "EPSON");
        EXPECT_EQ(marcaEscolhida("DLL:elgin"), "ELGIN");
        EXPECT_EQ(marcaEscolhida("DLL:XYZ"), "Marca XYZ, não tem suporte em modo USB");
    }
    {
        VendorLibraryFolder soElgin({"elgin"});
        EXPECT_EQ(marcaEscolhida("DLL"), "ELGIN");
    }
    {
        VendorLibraryFolder soEpson({"epson"});
        // ELGIN is chosen whatever exists; only its initialisation needs the library.
        EXPECT_EQ(marcaEscolhida("DLL:elgin"),
                  "Erro ao carregar a função: PrtPrinterCreatorW na Biblioteca: HprtPrinter.dll");
    }
    {
        VendorLibraryFolder nenhuma({});
        EXPECT_EQ(marcaEscolhida("DLL"), "Nenhuma biblioteca de modo USB encontrada");
    }
    {
        VendorLibraryFolder semLeMICR({"epson-sem-lemicr"});
        EXPECT_EQ(marcaEscolhida("DLL"),
                  "Erro ao carregar a função: LeMICR na Biblioteca: InterfaceEpsonNF.dll");
    }
}

TEST_F(PosPrinterUsbHook, EpsonStatusAndInformationComeFromTheLibrary)
{
    VendorLibraryFolder pasta({"epson"});
    pasta.roteiro("Le_Status_Gaveta=2\nLe_Status=32\nLeModelo.texto=TM-T20\nLeNumeroSerie.texto=SN9\n");
    TQuibPosPrinter pos;
    pos.SetModelo(ppTexto);
    pos.SetPorta("DLL");
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), "stSemPapel, ");
    EXPECT_EQ(pos.Modelo(), ppEscPosEpson) << "the hook's model is adopted";
    EXPECT_FALSE(pos.Ativo());
    EXPECT_EQ(pos.LerInfoImpressora(), "Fabricante=EPSON\nFirmware=A\nModelo=TM-T20\nSerial=SN9\n"
                                       "Guilhotina=1\nCheque=0\n MICR=0\nAutenticacao=0\n");
    const std::string chamadas = pasta.chamadas();
    // The status read asks the capabilities once (model and serial); nothing
    // is sent to the printer as bytes.
    EXPECT_EQ(
        chamadas.find("IniciaPorta USB\nLe_Status_Gaveta\nLe_Status\nLe_Status\nLeModelo\nLeNumeroSerie\n"
                      "FechaPorta\n"),
        0u)
        << chamadas;
    EXPECT_EQ(chamadas.find("ComandoTX"), std::string::npos);
}

TEST_F(PosPrinterUsbHook, ElginPrinterIsReadThroughItsDirectExchange)
{
    VendorLibraryFolder pasta({"elgin"});
    // Paper out with the drawer closed.
    pasta.roteiro("resposta.100401=1E\nresposta.100402=32\nresposta.100404=72\n");
    TQuibPosPrinter pos;
    pos.SetPorta("DLL:ELGIN");
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), "stSemPapel, stOffLine, ");
    EXPECT_EQ(pasta.chamadas().find("PrtPrinterCreatorW i7\nPrtPortOpenW USB\n"), 0u) << pasta.chamadas();
}

TEST_F(PosPrinterUsbHook, ARefusedOpenLeavesTheHookUnconnectedAndThePrinterInactive)
{
    VendorLibraryFolder pasta({"elgin"});
    pasta.roteiro("PrtPortOpenW=4\n");
    TQuibPosPrinter pos;
    pos.SetPorta("DLL");
    try {
        pos.Ativar();
        FAIL() << "activated";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Erro ao Abrir porta USB da impressora ELGIN");
    }
    ASSERT_NE(pos.HookUSB(), nullptr);
    EXPECT_FALSE(pos.HookUSB()->Conectada());
    EXPECT_FALSE(pos.Ativo());
}

} // namespace
