#include "printing/device/usb_id_table.h"

#include <gtest/gtest.h>

#include "foundation/files/file_utils.h"
#include "printing/device/device_errors.h"
#include "printing/device/usb_enumeration.h"
#include "tests/printing/device/device_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using device_test::messageOf;
TQuibUSBIDDataBase compiledIn()
{
    return TQuibUSBIDDataBase("/nonexistent/QuibUSBID.ini");
}

TEST(USBIDDataBase, CompiledInRowsGiveMakerDescriptionTypeAndProtocol)
{
    struct Case {
        const char *vendor, *product, *fabricante, *descricao;
        int tipo, protocolo;
    };
    // clang-format off
    const Case cases[] = {
        {"04b8", "0e03", "Epson",              "TM-T20",                  1, 1},
        {"1753", "0b00", "Gertec",             "G250",                    0, 0},  // one field
        {"067b", "2303", "Prolific",           "USB-to-Serial Comm Port", 0, 0},  // two fields
        {"324f", "00d2", "Sunmi",              "NT312",                   1, 12},
        {"0525", "a4a7", "PLX Technology",     "Tanca, TS-1000",          3, 2},
        {"0B1B", "0007", "Bematech",           "MP-2800 TH",              1, 1},  // upper-case ids
    };
    // clang-format on
    TQuibUSBIDDataBase tabela = compiledIn();
    EXPECT_FALSE(tabela.Carregado());
    for (const Case &c : cases) {
        TQuibUSBIDDataBase::Dispositivo achado;
        EXPECT_TRUE(tabela.ProcurarDispositivo(c.vendor, c.product, achado)) << c.vendor;
        EXPECT_EQ(achado.fabricante, c.fabricante) << c.vendor;
        EXPECT_EQ(achado.descricao, c.descricao) << c.vendor;
        EXPECT_EQ(achado.tipoEquipamento, c.tipo) << c.vendor;
        EXPECT_EQ(achado.protocolo, c.protocolo) << c.vendor;
    }
    EXPECT_TRUE(tabela.Carregado());

    TQuibUSBIDDataBase::Dispositivo nada;
    EXPECT_FALSE(tabela.ProcurarDispositivo("1234", "5678", nada));
    EXPECT_TRUE(tabela.ProcurarDispositivo("04b8", "ffff", nada)) << "a known vendor is found by name";
    EXPECT_EQ(nada.fabricante, "Epson");
    EXPECT_EQ(nada.descricao, "");
}

TEST(USBIDDataBase, IdentifiersThatAreNotHexadecimalAreRefusedVendorFirst)
{
    TQuibUSBIDDataBase tabela = compiledIn();
    TQuibUSBIDDataBase::Dispositivo achado;
    EXPECT_EQ(messageOf([&] { tabela.ProcurarDispositivo("zz12", "qq", achado); }),
              "VendorID inválido [zz12]");
    EXPECT_EQ(messageOf([&] { tabela.ProcurarDispositivo("04b8", "qq", achado); }),
              "ProductID inválido [qq]");
    EXPECT_EQ(messageOf([&] { tabela.ProcurarDispositivo("", "0e03", achado); }), "VendorID inválido []");

    TQuibUSBWinDeviceList lista("/nonexistent/QuibUSBID.ini");
    EXPECT_EQ(messageOf([&] { lista.NovoDispositivo("04b8", "0g03"); }), "ProductID inválido [0g03]");
    EXPECT_EQ(lista.Count(), 0) << "a refused device is not appended";
}

TEST(USBIDDataBase, AFileBesideTheProgramReplacesTheWholeTable)
{
    EXPECT_EQ(TQuibUSBIDDataBase().NomeArquivo(), PastaDoPrograma() + "QuibUSBID.ini");
    EXPECT_EQ(TQuibUSBIDDataBase().NomeRecurso(), "QuibUSBID");

    testsupport::TempDir dir;
    const auto file = dir.write("QuibUSBID.ini", "; tabela da loja\r\n[Vendors]\r\n04b8=Outra Marca\r\n"
                                                 "[04B8]\r\n0e03=Modelo X;1;8\r\n");
    TQuibUSBIDDataBase tabela(file.string());
    TQuibUSBIDDataBase::Dispositivo achado;
    ASSERT_TRUE(tabela.ProcurarDispositivo("04b8", "0e03", achado));
    EXPECT_EQ(achado.fabricante, "Outra Marca");
    EXPECT_EQ(achado.descricao, "Modelo X");
    EXPECT_EQ(achado.tipoEquipamento, 1);
    EXPECT_EQ(achado.protocolo, 8);
    EXPECT_FALSE(tabela.ProcurarDispositivo("1753", "0b00", achado)) << "the compiled-in rows are gone";

    TQuibUSBIDDataBase semRecurso("/nonexistent/QuibUSBID.ini", "OutraTabela");
    EXPECT_EQ(messageOf([&] { semRecurso.Carregar(); }), "Recurso OutraTabela não encontrado");
}

TEST(USBWinDevice, FullDescriptionAndName)
{
    struct Case {
        const char *vendor, *product, *friendly, *completa, *nome;
    };
    // clang-format off
    const Case cases[] = {
        {"04b8", "0e03", "EPSON TM-T20 (/dev/usb/lp0)", "Epson, TM-T20",        "Epson, TM-T20"},
        {"0483", "5743", "",                            "Tanca,TP-550",         "Tanca,TP-550"},   // maker in the description
        {"0525", "a4a7", "",                            "Tanca, TS-1000",       "Tanca, TS-1000"},
        {"04b8", "ffff", "",                            "Epson",                "Epson"},
        {"1234", "ABCD", "Acme Printer (/dev/usb/lp2)", "1234, abcd",           "Acme Printer (/dev/usb/lp2)"},
        {"1234", "abcd", "",                            "1234, abcd",           "1234, abcd"},
    };
    // clang-format on
    TQuibUSBWinDeviceList lista("/nonexistent/QuibUSBID.ini");
    for (const Case &c : cases) {
        TQuibUSBWinDevice &dispositivo = lista.NovoDispositivo(c.vendor, c.product);
        dispositivo.FriendlyName = c.friendly;
        EXPECT_EQ(dispositivo.DescricaoCompleta(), c.completa) << c.vendor << ":" << c.product;
        EXPECT_EQ(dispositivo.NomeDispositivo(), c.nome) << c.vendor << ":" << c.product;
    }
}

TEST(USBWinDevice, SerialPortNamesAreNormalisedForMatching)
{
    EXPECT_EQ(PortaCOMDoNome("Prolific USB-Serial (/dev/ttyUSB0)"), "/dev/ttyUSB0");
    EXPECT_EQ(PortaCOMDoNome("Acme Printer (/dev/usb/lp2)"), "");
    EXPECT_EQ(PortaCOMDoNome("Sem porta (/dev/ttyUSB0"), "");
    EXPECT_EQ(NormalizaVCOM("Prolific USB-Serial (/dev/ttyUSB0)"), "Prolific USB-Serial (VCOM)");

    TQuibUSBWinDeviceList lista("/nonexistent/QuibUSBID.ini");
    EXPECT_EQ(lista.IndiceDoNome(""), -1) << "empty list";
    lista.NovoDispositivo("04b8", "0e03");
    lista.NovoDispositivo("1234", "5678").FriendlyName = "Serial Printer (/dev/ttyUSB0)";
    EXPECT_EQ(lista.IndiceDoNome(""), 0);
    EXPECT_EQ(lista.IndiceDoNome("epson, tm"), 0);
    EXPECT_EQ(lista.IndiceDoNome("SERIAL PRINTER (/dev/ttyUSB3)"), 1) << "renumbered port, full name";
    EXPECT_EQ(lista.IndiceDoNome("Daruma"), -1);
}

} // namespace
