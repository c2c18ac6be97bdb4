#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

#include "foundation/files/file_utils.h"
#include "printing/device/device_errors.h"
#include "printing/device/elgin_usb_printer.h"
#include "printing/device/epson_usb_printer.h"
#include "tests/printing/device/vendor_library_folder.h"

namespace {

template <class Excecao, class Acao> std::string mensagemDe(Acao acao)
{
    try {
        acao();
    } catch (const Excecao &e) {
        return e.what();
    }
    return "(nenhum erro)";
}

TEST(UsbPrinterHooks, LibraryIsPresentOnlyInTheHooksFolder)
{
    VendorLibraryFolder soElgin({"elgin"});
    EXPECT_TRUE(TElginUSBPrinter::BibliotecaExiste());
    EXPECT_FALSE(TEpsonUSBPrinter::BibliotecaExiste());
    DefinirPastaBibliotecasHook({});
    EXPECT_EQ(PastaBibliotecasHook(), PastaDoPrograma());
    EXPECT_FALSE(TElginUSBPrinter::BibliotecaExiste());
}

TEST(UsbPrinterHooks, PortBeginningWithUsbOrDllIsPassedAsUsb)
{
    VendorLibraryFolder pasta({"elgin", "epson"});
    for (const auto &[porta, passada] :
         {std::pair{"DLL", "USB"}, std::pair{"dll:elgin", "USB"}, std::pair{"usb", "USB"},
          std::pair{"/dev/usb/lp0", "/dev/usb/lp0"}}) {
        pasta.roteiro("");
        TElginUSBPrinter elgin;
        elgin.Inicializar();
        elgin.Conectar(porta);
        TEpsonUSBPrinter epson;
        epson.Inicializar();
        epson.Conectar(porta);
        EXPECT_EQ(elgin.Porta(), passada);
        EXPECT_EQ(epson.Porta(), passada);
    }
    const std::string chamadas = pasta.chamadas();
    EXPECT_NE(chamadas.find("PrtPrinterCreatorW i7\nPrtPortOpenW USB\n"), std::string::npos) << chamadas;
    EXPECT_NE(chamadas.find("IniciaPorta /dev/usb/lp0\n"), std::string::npos) << chamadas;
    EXPECT_NE(chamadas.find("PrtPortClose\n"), std::string::npos) << "closed on destruction";
}

TEST(UsbPrinterHooks, UseBeforeInitialisationOrConnectionIsRefused)
{
    VendorLibraryFolder pasta({"epson"});
    TEpsonUSBPrinter epson;
    EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { epson.Conectar("USB"); }),
              "TEpsonUSBPrinter não foi inicializada");
    EXPECT_FALSE(epson.Conectada());
    EXPECT_EQ(epson.Porta(), "");
    epson.Inicializar();
    EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { epson.EnviarDados("x"); }),
              "Não conectado a impressora EPSON");
    EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { epson.LerDados(1, 100); }),
              "Não conectado a impressora EPSON");
}

TEST(UsbPrinterHooks, MissingFunctionFailsInitialisationAndReleasesTheLibrary)
{
    VendorLibraryFolder pasta({"epson-sem-lemicr"});
    {
        TEpsonUSBPrinter epson;
        EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { epson.Inicializar(); }),
                  "Erro ao carregar a função: LeMICR na Biblioteca: InterfaceEpsonNF.dll");
        EXPECT_FALSE(epson.Inicializada());
    }
    const std::string arquivo = pasta.caminho("libInterfaceEpsonNF.so").string();
    EXPECT_EQ(::dlopen(arquivo.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";

    TElginUSBPrinter semBiblioteca;
    EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { semBiblioteca.Inicializar(); }),
              "Erro ao carregar a função: PrtPrinterCreatorW na Biblioteca: HprtPrinter.dll");
}

TEST(UsbPrinterHooks, RefusalsOfTheLibraryLeaveTheHookAsItWas)
{
    VendorLibraryFolder pasta({"elgin", "epson"});
    pasta.roteiro("PrtPrinterCreatorW=3\n");
    TElginUSBPrinter elgin;
    EXPECT_EQ(mensagemDe<EQuibPosPrinterHook>([&] { elgin.Inicializar(); }),
              "Erro ao criar instância do Objeto da impressora ELGIN: 3");
    EXPECT_FALSE(elgin.Inicializada());

    pasta.roteiro("PrtPortOpenW=1\nIniciaPorta=0\n");
    elgin.Inicializar();
    EXPECT_EQ(mensagemDe<EQuibDeviceError>([&] { elgin.Conectar("DLL"); }),
              "Erro ao Abrir porta USB da impressora ELGIN");
    TEpsonUSBPrinter epson;
    epson.Inicializar();
    EXPECT_EQ(mensagemDe<EQuibDeviceError>([&] { epson.Conectar("DLL"); }),
              "Erro ao Abrir porta USB da impressora EPSON");
    for (const TQuibPosPrinterHook *hook : {static_cast<const TQuibPosPrinterHook *>(&elgin),
                                            static_cast<const TQuibPosPrinterHook *>(&epson)}) {
        EXPECT_FALSE(hook->Conectada());
        EXPECT_EQ(hook->Porta(), "");
    }

    pasta.roteiro("ComandoTX=0\nFechaPorta=0\n");
    epson.Conectar("DLL");
    EXPECT_EQ(mensagemDe<EQuibDeviceError>([&] { epson.EnviarDados("cupom"); }),
              "Erro ao Enviar Dados para porta USB da impressora EPSON");
    EXPECT_EQ(mensagemDe<EQuibDeviceError>([&] { epson.Desconectar(); }),
              "Erro ao Fechar a porta USB da impressora EPSON");
    EXPECT_TRUE(epson.Conectada());
}

TEST(UsbPrinterHooks, ElginReadsAtMost1024Bytes)
{
    VendorLibraryFolder pasta({"elgin"});
    pasta.roteiro("resposta.1D4942=" + std::string(3000, 'A') + "\n");
    TElginUSBPrinter elgin;
    elgin.Inicializar();
    elgin.Conectar("DLL");
    elgin.EnviarDados("\x1D\x49\x42");
    EXPECT_EQ(elgin.LerDados(1, 100), std::string(1024, '\xAA'));
    EXPECT_EQ(elgin.LerDados(1, 100), std::string(476, '\xAA'));
    EXPECT_EQ(elgin.LerDados(1, 100), "");

    // A library that claims more than the buffer holds.
    pasta.roteiro("resposta.1D4942=5F\nPrtDirectIO.lidos=5000\n");
    elgin.EnviarDados("\x1D\x49\x42");
    EXPECT_EQ(elgin.LerDados(1, 100).size(), 1024u);
    EXPECT_NE(pasta.chamadas().find("PrtDirectIO escrita 1D4942\nPrtDirectIO leitura 1024\n"),
              std::string::npos);
}

struct PedidoEpson {
    const char *roteiro;
    std::string pedido;
    std::string resposta;
};

TEST(UsbPrinterHooks, EpsonAnswersStatusAndIdentificationRequestsFromTheLibrary)
{
    // clang-format off
    const PedidoEpson casos[] = {
        {"Le_Status_Gaveta=2",        "\x10\x04\x01", "\x04"},
        {"Le_Status_Gaveta=0",        "\x10\x04\x01", std::string(1, '\0')},
        {"Le_Status=0",               "\x10\x04\x02", "\x40"},
        {"Le_Status=9",               "\x10\x04\x02", "\x04"},
        {"Le_Status=32",              "\x10\x04\x02", "\x20"},
        {"Le_Status=5",               "\x10\x04\x04", "\x04"},
        {"Le_Status=32",              "\x10\x04\x04", "\x40"},
        {"Le_Status_Slip.texto=100",  "\x10\x04\x05", "\x6E"},
        {"Le_Status_Slip.texto=011",  "\x10\x04\x05", "\x06"},
        {"",                          "\x10\x04\x07", std::string(1, '\0')},
        {"",                          "\x1D\x49\x42", "_EPSON"},
        {"",                          "\x1D\x49\x41", "A"},
        {"LeModelo.texto=TM-H6000",   "\x1D\x49\x32", "\x0A"},
        {"LeModelo.texto=TM-T20",     "\x1D\x49\x32", "\x02"},
        {"LeModelo.texto=TM-T20",     "\x1D\x49\x43", "TM-T20"},
        {"LeNumeroSerie.texto=X7",    "\x1D\x49\x44", "X7"},
        {"LeNumeroSerie=0",           "\x1D\x49\x44", ""},
        {"",                          "\x1D\x49\x45", ""},
        {"",                          "\x1C\x62",     ""},
    };
    // clang-format on
    VendorLibraryFolder pasta({"epson"});
    for (const PedidoEpson &caso : casos) {
        pasta.roteiro(std::string(caso.roteiro) + "\n");
        TEpsonUSBPrinter epson;
        epson.Inicializar();
        epson.Conectar("DLL");
        epson.EnviarDados(caso.pedido);
        EXPECT_EQ(epson.LerDados(1, 100), caso.resposta) << caso.roteiro;
        EXPECT_EQ(epson.LerDados(1, 100), "") << "the request was consumed";
    }
    EXPECT_EQ(pasta.chamadas().find("ComandoTX"), std::string::npos) << "requests are never sent";
}

TEST(UsbPrinterHooks, EpsonSendsPrintBytesAndReadsItsModelOnce)
{
    VendorLibraryFolder pasta({"epson"});
    pasta.roteiro("LeModelo=0\n");
    TEpsonUSBPrinter epson;
    epson.Inicializar();
    epson.Conectar("DLL");
    epson.EnviarDados("\x1D\x49\x43");
    EXPECT_EQ(epson.LerDados(1, 100), "") << "an unsuccessful read gives nothing";
    pasta.roteiro("LeModelo.texto=TM-T88\n");
    for (int i = 0; i < 2; ++i) {
        epson.EnviarDados("\x1D\x49\x43");
        EXPECT_EQ(epson.LerDados(1, 100), "TM-T88");
    }
    epson.EnviarDados("cupom\n");
    EXPECT_EQ(pasta.chamadas(), "IniciaPorta USB\nLeModelo\nLeModelo\nComandoTX 6375706F6D0A\n");
}

} // namespace
