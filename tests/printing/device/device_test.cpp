#include "printing/device/device.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/printing/device/device_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using device_test::messageOf;
using testsupport::TempDir;

int countOf(const std::string &text, std::string_view piece)
{
    int count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

TEST(Device, ChangingThePortWhileActiveRaisesAndKeepsTheOldPort)
{
    TQuibDevice device;
    device.SetPorta("NULL");
    device.Ativar();
    EXPECT_EQ(messageOf([&] { device.SetPorta("COM1"); }),
              "Não é possível mudar a Porta com o Dispositivo Ativo");
    EXPECT_EQ(device.Porta(), "NULL");
    EXPECT_EQ(device.DeviceType(), dtNenhum);
    EXPECT_TRUE(device.Ativo());
}

TEST(Device, SettingTheSamePortTwiceTracesOnce)
{
    TempDir dir;
    const auto trace = (dir / "device.log").string();
    TQuibDevice device;
    device.SetArqLOG(trace);
    device.SetPorta("com2");
    device.SetPorta("COM2");
    EXPECT_EQ(device.Porta(), "COM2");
    EXPECT_EQ(countOf(testsupport::readFile(trace), "SetPorta("), 1);
}

TEST(Device, ATypeThatContradictsThePortIsRefused)
{
    struct Case {
        std::string_view port;
        TQuibDeviceType type;
        bool accepted;
    };
    // clang-format off
    const Case cases[] = {
        {"TCP:10.0.0.1", dtSerial,     false},
        {"COM1",         dtTCP,        false},
        {"COM1",         dtFile,       true},   // serial and file stand in for each other
        {"recibo.txt",   dtSerial,     true},
        {"COM1",         dtParallel,   true},   // always accepted
        {"COM1",         dtNenhum,     true},
        {"usb",          dtUSB,        true},
        {"usb",          dtRawPrinter, false},
    };
    // clang-format on
    for (const auto &c : cases) {
        TQuibDevice device;
        device.SetPorta(c.port);
        const TQuibDeviceType before = device.DeviceType();
        const std::string message = messageOf([&] { device.SetDeviceType(c.type); });
        if (c.accepted) {
            EXPECT_EQ(device.DeviceType(), c.type) << c.port;
        } else {
            EXPECT_EQ(message, "Tipo de dispositivo informado não condiz com o valor da Porta") << c.port;
            EXPECT_EQ(device.DeviceType(), before) << c.port;
        }
    }
}

TEST(Device, ActivationNeedsARecognisedPort)
{
    for (std::string_view port : {"", "foo.bar"}) {
        TQuibDevice device;
        device.SetPorta(port);
        EXPECT_EQ(messageOf([&] { device.Ativar(); }), "Porta não definida") << port;
        EXPECT_FALSE(device.Ativo());
    }
}

TEST(Device, NullAndBluetoothPortsAcceptAndDiscard)
{
    for (std::string_view port : {"NULL", "nullPrinter", "BTH:00:11:22:33"}) {
        TQuibDevice device;
        device.SetPorta(port);
        device.Ativar();
        EXPECT_TRUE(device.Ativo()) << port;
        device.EnviaString("\x1b@recibo\n");
        EXPECT_EQ(device.LeString(10, 1), "") << port;
        device.Desativar();
        EXPECT_FALSE(device.Ativo());
    }
}

TEST(Device, TraceIntoAMissingFolderChangesNothing)
{
    TempDir dir;
    const auto trace = dir / "nao-existe" / "device.log";
    TQuibDevice device;
    device.SetArqLOG(trace.string());
    device.SetPorta("NULL");
    device.Ativar();
    device.EnviaString("abc");
    device.Desativar();
    EXPECT_FALSE(std::filesystem::exists(trace.parent_path()));
}

TEST(Device, WithoutATraceFileNothingIsWritten)
{
    TempDir dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    {
        TQuibDevice device;
        device.SetPorta("NULL");
        device.Ativar();
        device.EnviaString("abc");
    }
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(DeviceSettings, BaudAndDataBitsOutsideTheirRangesKeepTheOldValue)
{
    TQuibDevice device;
    for (int baud : {50, 4000000}) {
        device.SetBaud(baud);
        EXPECT_EQ(device.Baud(), baud);
    }
    for (int baud : {49, 4000001}) {
        EXPECT_EQ(
            messageOf([&] { device.SetBaud(baud); }),
            "Valor deve estar na faixa de 50 a 4000000.\nNormalmente os equipamentos Seriais utilizam: 9600");
        EXPECT_EQ(device.Baud(), 4000000);
    }
    for (int data : {4, 9}) {
        EXPECT_EQ(
            messageOf([&] { device.SetData(data); }),
            "Valor deve estar na faixa de 5 a 8.\nNormalmente os equipamentos Seriais utilizam: 7 ou 8");
        EXPECT_EQ(device.Data(), 8);
    }
}

TEST(DeviceSettings, FlowFlagsFollowTheHandshake)
{
    struct Step {
        std::function<void(TQuibDevice &)> apply;
        TQuibHandShake handShake;
        bool hardFlow;
        bool softFlow;
    };
    // clang-format off
    const Step steps[] = {
        {[](TQuibDevice &d) { d.SetHardFlow(true); },        hsRTS_CTS,  true,  false},
        {[](TQuibDevice &d) { d.SetSoftFlow(true); },        hsXON_XOFF, false, true},
        {[](TQuibDevice &d) { d.SetHardFlow(false); },       hsXON_XOFF, false, true},
        {[](TQuibDevice &d) { d.SetSoftFlow(false); },       hsNenhum,   false, false},
        {[](TQuibDevice &d) { d.SetHandShake(hsDTR_DSR); },  hsDTR_DSR,  false, false},
        {[](TQuibDevice &d) { d.SetHardFlow(false); },       hsDTR_DSR,  false, false},
        {[](TQuibDevice &d) { d.SetHandShake(hsRTS_CTS); },  hsRTS_CTS,  true,  false},
    };
    // clang-format on
    TQuibDevice device;
    int index = 0;
    for (const auto &step : steps) {
        step.apply(device);
        EXPECT_EQ(device.HandShake(), step.handShake) << "step " << index;
        EXPECT_EQ(device.HardFlow(), step.hardFlow) << "step " << index;
        EXPECT_EQ(device.SoftFlow(), step.softFlow) << "step " << index;
        ++index;
    }
}

TEST(DeviceSettings, DeviceToStringListsAllOrOnlyWhatDiffersFromTheDefaults)
{
    TQuibDevice device;
    EXPECT_EQ(
        device.DeviceToString(false),
        "BAUD=9600 DATA=8 PARITY=N STOP=1 HANDSHAKE= MAXBANDWIDTH=0 SENDBYTESCOUNT=0 SENDBYTESINTERVAL=0");
    EXPECT_EQ(device.DeviceToString(true), "");

    device.SetBaud(115200);
    device.SetData(7);
    device.SetParity(pMark);
    device.SetStop(s1eMeio);
    device.SetHardFlow(true);
    device.SetSendBytesCount(64);
    EXPECT_EQ(device.DeviceToString(true),
              "BAUD=115200 DATA=7 PARITY=M STOP=1,5 HANDSHAKE=RTS/CTS HARDFLOW SENDBYTESCOUNT=64");
    device.SetHandShake(hsXON_XOFF);
    device.SetSendBytesInterval(5);
    EXPECT_EQ(device.DeviceToString(false),
              "BAUD=115200 DATA=7 PARITY=M STOP=1,5 HANDSHAKE=XON/XOFF SOFTFLOW "
              "MAXBANDWIDTH=0 SENDBYTESCOUNT=64 SENDBYTESINTERVAL=5");
}

TEST(DeviceSettings, DefaultValuesRestoreTheSerialSettings)
{
    TQuibDevice device;
    device.SetBaud(19200);
    device.SetParity(pEven);
    device.SetHandShake(hsRTS_CTS);
    device.SetDefaultValues();
    EXPECT_EQ(device.DeviceToString(true), "");
}

TEST(DeviceSettings, ReadsWithoutATimeOutUseTheDevices)
{
    TempDir dir;
    const auto trace = (dir / "device.log").string();
    TQuibDevice device;
    device.SetArqLOG(trace);
    device.SetTimeOutMilissegundos(250);
    device.SetPorta("NULL");
    device.Ativar();
    device.LeString(0, 2, "\r");
    EXPECT_NE(testsupport::readFile(trace).find("LeString(250, 2, [CR])"), std::string::npos);
}

} // namespace
