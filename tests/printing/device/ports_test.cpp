#include "printing/device/ports.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"

namespace {

struct PortCase {
    std::string_view port;
    TQuibDeviceType type;
};

bool knowsCaixa(std::string_view name)
{
    return name == "Caixa Balcao";
}

TEST(PortGrammar, EachRuleSelectsItsKindOfPort)
{
    // clang-format off
    const PortCase cases[] = {
        {"*",                    dtRawPrinter},
        {"NULL",                 dtNenhum},
        {"nulo",                 dtNenhum},
        {"TCP:192.168.0.9:9100", dtTCP},
        {"tcp:impressora",       dtTCP},
        {"RAW:Caixa Balcao",     dtRawPrinter},
        {"BTH:00:11:22",         dtBlueTooth},
        {"x.TXT",                dtFile},
        {"recibo.txt",           dtFile},
        {"COM1.txt",             dtFile},       // the extension rule comes first
        {"FILE:/tmp/a.prn",      dtFile},
        {"LPT1",                 dtParallel},
        {"COM3",                 dtSerial},
        {"\\\\.\\COM12",         dtSerial},
        {"DLL_VENDOR",           dtHook},
        {"usb",                  dtUSB},
        {"\\\\?\\USB#VID_0416",  dtUSB},
        {"/dev/ttyUSB0",         dtSerial},
        {"/dev/pts/7",           dtSerial},
        {"/dev/serial/by-id/x",  dtSerial},
        {"/dev/rfcomm0",         dtSerial},
        {"/dev/usb/lp0",         dtUSB},
        {"/dev/lp0",             dtParallel},
        {"Caixa Balcao",         dtRawPrinter},
        {"a\\b",                 dtFile},
        {"/srv/pos/recibo.prn",  dtFile},
        {"foo.bar",              dtNenhum},
        {"",                     dtNenhum},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(deducePortType(c.port, knowsCaixa), c.type) << '"' << c.port << '"';
}

TEST(PortGrammar, WithoutASpoolerNoNameIsAPrinter)
{
    EXPECT_EQ(deducePortType("Caixa Balcao", {}), dtNenhum);
}

TEST(PortGrammar, StoredFormTrimsAndUpperCasesSerialAndParallelNames)
{
    EXPECT_EQ(normalizePort("  *  "), "*");
    EXPECT_EQ(normalizePort(" com1 "), "COM1");
    EXPECT_EQ(normalizePort("lpt2"), "LPT2");
    EXPECT_EQ(normalizePort("usb"), "usb");
    EXPECT_EQ(normalizePort("/dev/ttyS0"), "/dev/ttyS0");
}

TEST(PortGrammar, WindowsPortNamesOpenMappedOrNumberedDeviceFiles)
{
    testsupport::ScopedEnv unmapped("KVL_COM3", std::nullopt);
    testsupport::ScopedEnv mapped("KVL_COM4", "/dev/ttyUSB1");
    testsupport::ScopedEnv noLpt("KVL_LPT1", std::nullopt);
    EXPECT_EQ(serialDevicePath("COM3"), "/dev/ttyS2");
    EXPECT_EQ(serialDevicePath("\\\\.\\COM3"), "/dev/ttyS2");
    EXPECT_EQ(serialDevicePath("COM4"), "/dev/ttyUSB1");
    EXPECT_EQ(serialDevicePath("/dev/pts/4"), "/dev/pts/4");
    EXPECT_EQ(serialDevicePath("COM0"), "COM0");
    EXPECT_EQ(parallelDevicePath("LPT1"), "/dev/lp0");
}

} // namespace
