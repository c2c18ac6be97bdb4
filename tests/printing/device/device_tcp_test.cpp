#include "printing/device/device.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <optional>

#include "tests/support/fake_pos_printer.h"

namespace {

using testsupport::FakePosPrinter;
using Clock = std::chrono::steady_clock;

constexpr int kTimeOutMs = 300;
// What a bounded wait may take beyond its time-out on a loaded machine under
// the sanitizers; a frozen till would never end.
constexpr auto kSlack = std::chrono::milliseconds(10000);

std::string allByteValues()
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string tcpPort(const FakePosPrinter &printer)
{
    return "TCP:127.0.0.1:" + std::to_string(printer.port());
}

std::optional<FakePosPrinter> onPort9100()
{
    try {
        return std::make_optional<FakePosPrinter>(FakePosPrinter::Options{.port = 9100});
    } catch (const std::runtime_error &) {
        return std::nullopt;
    }
}

TEST(DeviceTcp, TheBytesArriveUnchanged)
{
    FakePosPrinter printer;
    TQuibDevice device;
    device.SetSendBytesCount(100);
    device.SetPorta(tcpPort(printer));
    device.Ativar();
    device.EnviaString(allByteValues());
    EXPECT_EQ(printer.waitForBytes(256, 2000), allByteValues());
    device.Desativar();
}

TEST(DeviceTcp, PortsWithoutANumberReachPort9100)
{
    auto printer = onPort9100();
    if (!printer)
        GTEST_SKIP() << "port 9100 of 127.0.0.1 is taken on this machine";
    for (const std::string port : {"TCP:127.0.0.1", "TCP:127.0.0.1:"}) {
        SCOPED_TRACE(port);
        const std::size_t before = printer->received().size();
        TQuibDevice device;
        device.SetPorta(port);
        device.Ativar();
        device.EnviaString("x");
        EXPECT_EQ(printer->waitForBytes(before + 1, 2000).size(), before + 1);
        device.Desativar();
    }
}

TEST(DeviceTcp, APortNumberIsCutToFiveCharacters)
{
    EXPECT_EQ(parseTcpPort("TCP:10.0.0.5:123456").porta, "12345");
    EXPECT_EQ(parseTcpPort("TCP:10.0.0.5:123456").ip, "10.0.0.5");
    FakePosPrinter printer;
    if (printer.port() < 10000)
        GTEST_SKIP() << "the free port given has fewer than five digits";
    TQuibDevice device;
    device.SetPorta(tcpPort(printer) + "7");
    device.Ativar();
    device.EnviaString("ok");
    EXPECT_EQ(printer.waitForBytes(2, 2000), "ok");
}

// Each failure ends with an error within the time-out, never a frozen till.
TEST(DeviceTcp, AFailingPrinterEndsWithAnErrorWithinTheTimeOut)
{
    const std::string big(8 * 1024 * 1024, 'A');
    struct Case {
        const char *what;
        FakePosPrinter::Options options;
        bool refused;
    };
    const Case cases[] = {
        {"refused", {}, true},
        {"closes after 1 KB", {.closeAfter = 1024}, false},
        {"never reads", {.neverRead = true}, false},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        std::optional<FakePosPrinter> printer(std::in_place, test.options);
        const std::string port = tcpPort(*printer);
        if (test.refused)
            printer.reset();
        TQuibDevice device;
        device.SetTimeOutMilissegundos(kTimeOutMs);
        device.SetPorta(port);
        const auto start = Clock::now();
        try {
            device.Ativar();
            device.EnviaString(big);
            ADD_FAILURE() << "no error";
        } catch (const ESocketError &error) {
            EXPECT_NE(std::string(error.what()).find("127.0.0.1:"), std::string::npos) << error.what();
        }
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kTimeOutMs) + kSlack);
    }
}

TEST(DeviceTcp, ReadsFromASilentPrinterEndAfterTheirTimeOut)
{
    FakePosPrinter printer;
    TQuibDevice device;
    device.SetPorta(tcpPort(printer));
    device.Ativar();

    auto start = Clock::now();
    try {
        device.LeString(kTimeOutMs, 1);
        ADD_FAILURE() << "no error";
    } catch (const ESocketError &error) {
        EXPECT_EQ(error.code(), ETIMEDOUT);
    }
    auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(kTimeOutMs - 20));
    EXPECT_LT(took, std::chrono::milliseconds(kTimeOutMs) + kSlack);

    start = Clock::now();
    EXPECT_EQ(device.LeString(kTimeOutMs, 0), "");
    took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(kTimeOutMs - 20));
    EXPECT_LT(took, std::chrono::milliseconds(kTimeOutMs) + kSlack);
}

TEST(DeviceTcp, AScriptedQueryIsAnswered)
{
    FakePosPrinter printer({.answers = {{"\x10\x04\x01", "\x16"}, {"\x1Dr1", "OK\r\nrest"}}});
    TQuibDevice device;
    device.SetPorta(tcpPort(printer));
    device.Ativar();
    device.EnviaString("\x10\x04\x01");
    EXPECT_EQ(device.DeviceClass().LeByte(2000), 0x16);
    device.EnviaString("\x1Dr1");
    EXPECT_EQ(device.LeString(2000, 0, "\r\n"), "OK");
    EXPECT_EQ(device.LeString(2000, 4), "rest");
}

} // namespace
