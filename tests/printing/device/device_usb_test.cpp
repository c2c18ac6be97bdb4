#include "printing/device/device_usb.h"

#include <chrono>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

#include "printing/device/device.h"
#include "tests/printing/device/device_test_support.h"
#include "tests/support/fake_usb_tree.h"
#include "tests/support/pty_pair.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using device_test::elapsedOf;
using device_test::messageOf;
using namespace std::chrono_literals;
using testsupport::FakeUsbTree;
using testsupport::PtyPair;

// One USB printer whose node /dev/usb/lp0 is a pseudo-terminal in raw mode:
// the test plays the printer through the master end.
class UsbPrinterOverPty : public ::testing::Test {
  protected:
    UsbPrinterOverPty()
    {
        tree.addDevice("1-1", "04b8", "0e03", "EPSON", "TM-T20");
        tree.addInterface("1-1", 0, "07", "lp0");
        tree.linkNode("usb/lp0", pty.path());
        pty.setRaw();
        device.APIUSB().SetRaizSysfs(tree.sysfsRoot());
        device.APIUSB().SetRaizDev(tree.devRoot());
        device.SetTimeOutMilissegundos(300);
        device.SetPorta("USB");
    }

    TQuibUSBWinDeviceAPI &api() { return device.APIUSB(); }

    FakeUsbTree tree;
    PtyPair pty;
    TQuibDevice device;
};

TEST_F(UsbPrinterOverPty, DeliversEveryByteEvenWhenThePrinterTakesThemSlowly)
{
    device.Ativar();
    const std::string controls("\x1b@\x00\n\r\x11\x13\xff", 8);
    device.EnviaString(controls);
    EXPECT_EQ(pty.read(controls.size(), 2s), controls);

    // Far more than the line holds: each write is short and the rest follows
    // as the printer reads.
    std::string receipt(256 * 1024, '\0');
    for (std::size_t i = 0; i < receipt.size(); ++i)
        receipt[i] = static_cast<char>(i * 13);
    std::string received;
    std::thread printer([&] { received = pty.read(receipt.size(), 10s); });
    device.SetSendBytesCount(10000);
    device.EnviaString(receipt);
    printer.join();
    EXPECT_EQ(received.size(), receipt.size());
    EXPECT_TRUE(received == receipt);
}

TEST_F(UsbPrinterOverPty, ASendThePrinterNeverTakesFailsAfterTheTimeOut)
{
    device.SetTimeOutMilissegundos(200);
    device.Ativar();
    std::string message;
    const auto elapsed =
        elapsedOf([&] { message = messageOf([&] { device.EnviaString(std::string(1 << 20, 'x')); }); });
    EXPECT_EQ(message, "Erro TimeOut, ao enviar 1048576 bytes para USB");
    EXPECT_GE(elapsed, 190ms);
    EXPECT_LT(elapsed, 5s);
}

TEST_F(UsbPrinterOverPty, ReadsReturnWhatCameAndKeepTheRest)
{
    device.Ativar();
    pty.write("abc");
    std::string read;
    const auto elapsed = elapsedOf([&] { read = device.LeString(150, 5); });
    EXPECT_EQ(read, "abc") << "the bytes that came before the time-out";
    EXPECT_GE(elapsed, 140ms);
    EXPECT_EQ(api().BufferRecepcao(), "");

    pty.write("OK\r\nresto");
    EXPECT_EQ(device.LeString(300, 0, "\r\n"), "OK");
    EXPECT_EQ(api().BufferRecepcao(), "resto");
    EXPECT_EQ(device.LeString(300, 0, "\x03"), "") << "no terminator: nothing, and nothing lost";
    EXPECT_EQ(api().BufferRecepcao(), "resto");

    pty.write("lixo");
    std::this_thread::sleep_for(50ms);
    device.Limpar();
    EXPECT_EQ(api().BufferRecepcao(), "resto") << "purging keeps what was already read";
    EXPECT_EQ(device.LeString(100, 10), "resto");

    pty.write("\x12");
    EXPECT_EQ(device.LeString(300, 0), "\x12") << "a plain read returns the first packet";
    EXPECT_EQ(device.LeString(100, 0), "");
}

TEST_F(UsbPrinterOverPty, TheUsbLayerWritesItsOwnLinesIntoTheDeviceTrace)
{
    testsupport::TempDir dir;
    const std::string trace = (dir / "usb.log").string();
    device.SetArqLOG(trace);
    device.Ativar();
    pty.write("\x06");
    EXPECT_EQ(device.LeString(200, 0), "\x06");
    const std::string text = testsupport::readFile(trace);
    EXPECT_TRUE(std::regex_search(
        text, std::regex(R"(-- \d\d/\d\d \d\d:\d\d:\d\d:\d{3} - ReceivePacket: TimeOut: 200\r\n)")))
        << text;
    EXPECT_NE(text.find(" -   Buffer Lido: [ACK]"), std::string::npos) << text;
    EXPECT_NE(text.find("   TQuibDeviceWinUSB.Conectar(USB, 300)"), std::string::npos) << text;
}

TEST_F(UsbPrinterOverPty, OperationsNeedAnOpenDevice)
{
    for (const auto &operation : std::initializer_list<std::function<void()>>{
             [&] { api().Escrever("x"); }, [&] { api().ReceivePacket(10); },
             [&] { api().ReceiveNumBytes(1, 10); }, [&] { api().ReceiveTerminated("\n", 10); },
             [&] { device.DeviceClass().EnviaString("x"); }})
        EXPECT_EQ(messageOf(operation), "Dispositivo USB não está aberto");

    device.Ativar();
    EXPECT_TRUE(device.Ativo());
    device.Desativar();
    EXPECT_FALSE(api().Aberto());
    EXPECT_EQ(messageOf([&] { api().SelecionarDispositivo(1); }), "Dispositivo USB num: 1 não existe");
}

TEST_F(UsbPrinterOverPty, AnUnknownNameLeavesTheDeviceInactive)
{
    TQuibDevice other;
    other.APIUSB().SetRaizSysfs(tree.sysfsRoot());
    other.APIUSB().SetRaizDev(tree.devRoot());
    other.SetPorta("USB:Bematech");
    EXPECT_EQ(messageOf([&] { other.Ativar(); }), "Erro, dispositivo [USB:Bematech] não encontrado");
    EXPECT_FALSE(other.Ativo());
}

} // namespace
