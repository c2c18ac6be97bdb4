#include "printing/device/usb_device_api.h"

#include <fstream>
#include <gtest/gtest.h>
#include <vector>

#include "printing/device/device.h"
#include "tests/printing/device/device_test_support.h"
#include "tests/support/fake_usb_tree.h"
#include "tests/support/scoped_env.h"

namespace {

using device_test::messageOf;
using testsupport::FakeUsbTree;

// A shop's USB bus: two printers (one with a second, vendor-specific
// interface), a USB-serial adapter, a printer of a maker the table does not
// know, a label printer without a printer node, a printer that shows up as a
// virtual serial port, and the root hub. Every node exists under /dev.
class ShopUsbBus : public ::testing::Test {
  protected:
    ShopUsbBus()
    {
        tree.addDevice("usb1", "1d6b", "0002", "Linux Foundation", "xHCI Host Controller");
        tree.addDevice("1-1", "04b8", "0e03", "EPSON", "TM-T20");
        tree.addInterface("1-1", 0, "07", "lp0");
        tree.addInterface("1-1", 1, "ff");
        tree.addDevice("1-2", "0b1b", "0007", "Bematech", "MP-2800 TH");
        tree.addInterface("1-2", 0, "07", "lp1");
        tree.addDevice("1-3", "067b", "2303", "Prolific Technology Inc.", "USB-Serial Controller");
        tree.addInterface("1-3", 0, "ff", "ttyUSB0");
        tree.addDevice("1-4", "1234", "5678", "Acme", "Receipt Printer");
        tree.addInterface("1-4", 0, "07", "lp2");
        tree.addDevice("1-5", "0a5f", "00d3", "Zebra", "GC420t");
        tree.addInterface("1-5", 0, "ff");
        tree.addDevice("1-6", "0483", "5743", "STMicroelectronics", "Virtual COM Port");
        tree.addInterface("1-6", 0, "02", "ttyACM0");
        tree.addInterface("1-6", 1, "0a");
        for (const char *node : {"usb/lp0", "usb/lp1", "usb/lp2", "ttyUSB0", "ttyACM0"}) {
            std::filesystem::create_directories(
                std::filesystem::path(tree.devRoot() + "/" + node).parent_path());
            std::ofstream(tree.devRoot() + "/" + node);
        }
        api.SetRaizSysfs(tree.sysfsRoot());
        api.SetRaizDev(tree.devRoot());
    }

    std::vector<std::string> names()
    {
        std::vector<std::string> result;
        for (int i = 0; i < api.DeviceList().Count(); ++i)
            result.push_back(api.DeviceList()[i].NomeDispositivo());
        return result;
    }

    FakeUsbTree tree;
    TQuibUSBWinDeviceAPI api;
};

TEST_F(ShopUsbBus, ListsPrintersThenSerialPortsThenOtherKnownDevicesOnce)
{
    api.SetFiltroTipoEquipamento(1);
    EXPECT_EQ(api.ProcurarImpressorasUSB(), 5);
    EXPECT_EQ(names(), (std::vector<std::string>{"Epson, TM-T20", "Bematech, MP-2800 TH",
                                                 "Acme Receipt Printer (/dev/usb/lp2)",
                                                 "Prolific, USB-to-Serial Comm Port", "Tanca,TP-550"}));
    TQuibUSBWinDevice &epson = api.DeviceList()[0];
    EXPECT_EQ(epson.DeviceInterface, tree.devRoot() + "/usb/lp0");
    EXPECT_EQ(epson.FriendlyName, "EPSON TM-T20 (/dev/usb/lp0)");
    EXPECT_EQ(epson.LocationInformation, "1-1");
    EXPECT_EQ(epson.GUID, "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    EXPECT_EQ(api.DeviceList()[4].DeviceInterface, tree.devRoot() + "/ttyACM0");
    EXPECT_EQ(api.DeviceList()[3].FriendlyName,
              "Prolific Technology Inc. USB-Serial Controller (/dev/ttyUSB0)");

    api.SetFiltroTipoEquipamento(0);
    EXPECT_EQ(api.ProcurarImpressorasUSB(), 6) << "the label printer passes without the filter";
    EXPECT_EQ(names().back(), "Zebra, GC420t");
    EXPECT_EQ(api.DeviceList()[5].GUID, "{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_EQ(api.DeviceList()[5].DeviceInterface, "") << "no node to open";
}

TEST_F(ShopUsbBus, MissingOrEmptyRootsFindNothing)
{
    for (const std::string &root : std::vector<std::string>{"/nonexistent/sys", tree.devRoot()}) {
        api.SetRaizSysfs(root);
        EXPECT_EQ(api.ProcurarImpressorasUSB(), 0) << root;
        EXPECT_EQ(messageOf([&] { api.Abrir("USB"); }), "Nenhum dispositivo USB encontrado") << root;
        EXPECT_EQ(messageOf([&] { api.Abrir("USB:Epson"); }), "Erro, dispositivo [USB:Epson] não encontrado");
    }
}

TEST_F(ShopUsbBus, OpensTheDeviceThePortNames)
{
    struct Case {
        const char *porta;
        int indice;
    };
    // clang-format off
    const Case cases[] = {
        {"USB",                 0},
        {"usb:bematech",        1},
        {"USB:ACME RECEIPT",    2},
        {"USB:Tanca",           4},
        {"USB:prolific, usb-",  3},
    };
    // clang-format on
    for (const Case &c : cases) {
        api.Abrir(c.porta);
        EXPECT_TRUE(api.Aberto()) << c.porta;
        EXPECT_EQ(api.IndiceDispositivo(), c.indice) << c.porta;
        EXPECT_EQ(api.Porta(), c.porta);
    }
    api.Abrir(tree.devRoot() + "/usb/lp1");
    EXPECT_EQ(api.IndiceDispositivo(), -1) << "a device path selects no device";
    api.Fechar();
    EXPECT_FALSE(api.Aberto());
    EXPECT_EQ(api.Porta(), "");

    EXPECT_EQ(messageOf([&] { api.Abrir("USB:Daruma"); }), "Erro, dispositivo [USB:Daruma] não encontrado");
    EXPECT_EQ(messageOf([&] { api.Abrir("/dev/usb/lp9"); }),
              "Erro 00000002 ao abrir o Porta USB /dev/usb/lp9");
    EXPECT_EQ(messageOf([&] { api.SelecionarDispositivo(9); }), "Dispositivo USB num: 9 não existe");
}

struct Identified {
    std::uint8_t tipo;
    int protocolo;
    std::string porta;
    TQuibDeviceType deviceType;
};

TEST_F(ShopUsbBus, IdentifiesTheEquipmentBehindSerialAndUsbPorts)
{
    testsupport::ScopedEnv sys("KVL_SYSFS_ROOT", tree.sysfsRoot());
    testsupport::ScopedEnv dev("KVL_DEV_ROOT", tree.devRoot());
    testsupport::ScopedEnv com("KVL_COM3", "/dev/ttyACM0");
    struct Case {
        const char *porta;
        Identified esperado;
    };
    // An untouched equipment type of 9 shows that no device was found.
    // clang-format off
    const Case cases[] = {
        {"USB",            {1, 1,  "USB",           dtUSB}},
        {"USB:bematech",   {1, 1,  "USB:bematech",  dtUSB}},
        {"/dev/ttyUSB0",   {0, 0,  "/dev/ttyUSB0",  dtSerial}},
        {"COM3",           {1, 10, "COM3",          dtSerial}},
        {"USB:Prolific",   {0, 0,  "/dev/ttyUSB0",  dtSerial}},  // the adapter is used as a serial port
        {"USB:Tanca",      {1, 10, "/dev/ttyACM0",  dtSerial}},
        {"USB:Acme",       {0, 0,  "USB:Acme",      dtUSB}},
        {"USB:Daruma",     {9, 0,  "USB:Daruma",    dtUSB}},
        {"COM4",           {9, 0,  "COM4",          dtSerial}},
        {"TCP:10.0.0.1",   {9, 0,  "TCP:10.0.0.1",  dtTCP}},
    };
    // clang-format on
    for (const Case &c : cases) {
        TQuibDevice device;
        device.APIUSB().SetFiltroTipoEquipamento(1);
        device.SetPorta(c.porta);
        std::uint8_t tipo = 9;
        int protocolo = 7;
        device.IdentificarDispositivoUSB(tipo, protocolo);
        EXPECT_EQ(tipo, c.esperado.tipo) << c.porta;
        EXPECT_EQ(protocolo, c.esperado.protocolo) << c.porta;
        EXPECT_EQ(device.Porta(), c.esperado.porta) << c.porta;
        EXPECT_EQ(device.DeviceType(), c.esperado.deviceType) << c.porta;
    }
}

} // namespace
