#include "printing/device/device.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "foundation/dates/date_time.h"
#include "tests/printing/device/device_test_support.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using device_test::elapsedOf;
using device_test::messageOf;
using namespace std::chrono_literals;
using testsupport::PtyPair;
using testsupport::TempDir;

// The settings `stty -a` prints for the line, one word each.
std::set<std::string> lineSettings(const std::string &path)
{
    std::istringstream words(testsupport::runCommand({"stty", "-F", path, "-a"}).out);
    std::set<std::string> result;
    for (std::string word; words >> word;)
        result.insert(word.ends_with(';') ? word.substr(0, word.size() - 1) : word);
    return result;
}

class SerialOverPty : public ::testing::Test {
  protected:
    void activate()
    {
        device.SetPorta(pty.path());
        ASSERT_EQ(device.DeviceType(), dtSerial);
        device.Ativar();
    }

    PtyPair pty;
    TQuibDevice device;
};

TEST_F(SerialOverPty, BytesArriveUnchanged)
{
    activate();
    const std::string controls("\x00\x0A\x0D\x11\x13\xFF", 6);
    device.EnviaString(controls);
    EXPECT_EQ(pty.read(controls.size(), 2s), controls);

    std::string block(64 * 1024, '\0');
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    std::string received;
    std::thread reader([&] { received = pty.read(block.size(), 10s); });
    device.EnviaString(block);
    reader.join();
    EXPECT_EQ(received.size(), block.size());
    EXPECT_TRUE(received == block);
}

TEST_F(SerialOverPty, SettingsReachTheLine)
{
    if (!testsupport::hasProgram("stty"))
        GTEST_SKIP() << "stty not installed";
    activate();
    device.SetBaud(19200);
    device.SetStop(s2);
    device.SetSoftFlow(true);
    auto settings = lineSettings(pty.path());
    EXPECT_TRUE(settings.contains("19200"));
    for (std::string flag : {"cs8", "-parenb", "cstopb", "ixon", "ixoff", "-crtscts", "-icanon", "-echo",
                             "-opost", "-icrnl", "-isig"})
        EXPECT_TRUE(settings.contains(flag)) << flag;

    device.SetStop(s1eMeio); // no such setting here: two stop bits
    device.SetHardFlow(true);
    settings = lineSettings(pty.path());
    for (std::string flag : {"cstopb", "crtscts", "-ixon"})
        EXPECT_TRUE(settings.contains(flag)) << flag;

    for (int baud : {50, 4000000}) {
        device.SetBaud(baud);
        EXPECT_TRUE(lineSettings(pty.path()).contains(std::to_string(baud))) << baud;
    }
    // A speed without a constant of its own goes through termios2.
    device.SetBaud(250000);
    EXPECT_EQ(device.Baud(), 250000);
}

TEST_F(SerialOverPty, AFrameTheLineCannotCarryIsRefusedAndTheOldSettingStays)
{
    // A pseudo-terminal carries 8 data bits without parity only.
    activate();
    EXPECT_NE(messageOf([&] { device.SetData(7); }).find("recusou a configuração"), std::string::npos);
    EXPECT_EQ(device.Data(), 8);
    EXPECT_NE(messageOf([&] { device.SetParity(pEven); }).find("recusou a configuração"), std::string::npos);
    EXPECT_EQ(device.Parity(), pNone);
    device.EnviaString("ok");
    EXPECT_EQ(pty.read(2, 1s), "ok");
}

TEST_F(SerialOverPty, ReadsGiveWhatTheirKindAsksForWithinTheTimeOut)
{
    activate();
    pty.write("ABCDEFxyz\r\nrest");
    EXPECT_EQ(device.LeString(500, 3), "ABC");
    EXPECT_EQ(device.LeString(500, 0, "\r\n"), "DEFxyz");
    EXPECT_EQ(device.LeString(500, 0, ""), "rest");
    EXPECT_EQ(device.LeString(50, 0, ""), "");

    int code = 0;
    const auto exact = elapsedOf([&] {
        try {
            device.LeString(80, 5);
        } catch (const ESerialError &error) {
            code = error.code();
        }
    });
    EXPECT_EQ(code, ETIMEDOUT);
    EXPECT_GE(exact, 80ms);
    EXPECT_LT(exact, 2s);

    pty.write("sem fim");
    code = 0;
    const auto terminated = elapsedOf([&] {
        try {
            device.LeString(80, 0, "\r");
        } catch (const ESerialError &error) {
            code = error.code();
        }
    });
    EXPECT_EQ(code, ETIMEDOUT);
    EXPECT_LT(terminated, 2s);
    // What came before the time-out is not lost.
    EXPECT_EQ(device.LeString(50, 7), "sem fim");
}

TEST_F(SerialOverPty, PiecesAndPausesFollowTheSendSettings)
{
    std::vector<std::chrono::milliseconds> pauses;
    setSleep([&](std::chrono::milliseconds pause) { pauses.push_back(pause); });
    int writes = 0;
    device.SetOnStatus([&](SerialPort &, SerialStatus status, const std::string &) {
        if (status == SerialStatus::Sent)
            ++writes;
    });
    activate();
    device.SetSendBytesCount(1);
    device.SetSendBytesInterval(5);
    device.EnviaString("abc");
    resetSleep();
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(pauses, std::vector<std::chrono::milliseconds>(3, 5ms));
    EXPECT_EQ(pty.read(3, 1s), "abc");

    writes = 0;
    device.EnviaString("");
    EXPECT_EQ(writes, 0);
}

TEST_F(SerialOverPty, ALineNobodyReadsEndsTheSendAfterTenWritesWithoutProgress)
{
    TempDir dir;
    const auto trace = (dir / "serial.log").string();
    device.SetArqLOG(trace);
    device.SetTimeOutMilissegundos(20);
    activate();
    const std::string megabyte(1024 * 1024, 'x');
    std::string message;
    const auto elapsed = elapsedOf([&] { message = messageOf([&] { device.EnviaString(megabyte); }); });
    EXPECT_EQ(message, "Erro ao enviar dados para a porta: " + pty.path());
    EXPECT_GE(elapsed, 200ms);
    EXPECT_LT(elapsed, 10s);
    const std::string log = testsupport::readFile(trace);
    const auto lastFailure = log.find("FailCount:10");
    const auto errorLine = log.find("Exception: Erro ao enviar dados para a porta: " + pty.path());
    ASSERT_NE(lastFailure, std::string::npos);
    ASSERT_NE(errorLine, std::string::npos);
    EXPECT_LT(lastFailure, errorLine);
}

TEST_F(SerialOverPty, HardwareHandshakeOnALineWithoutModemLinesIsNeverOnline)
{
    TempDir dir;
    const auto trace = (dir / "serial.log").string();
    device.SetArqLOG(trace);
    device.SetHandShake(hsRTS_CTS);
    activate();
    bool online = true;
    const auto elapsed = elapsedOf([&] { online = device.DeviceClass().EmLinha(100); });
    EXPECT_FALSE(online);
    EXPECT_GE(elapsed, 100ms);
    EXPECT_LT(elapsed, 2s);
    EXPECT_NE(testsupport::readFile(trace).find("Serial.CTS não disponível"), std::string::npos);
}

TEST_F(SerialOverPty, OnlineAnswersAtOnceWithoutHandshakeAndNeverWhenClosedOrWithoutTime)
{
    EXPECT_FALSE(device.Serial().EmLinha(100)); // closed
    activate();
    EXPECT_TRUE(device.DeviceClass().EmLinha(100));
    EXPECT_FALSE(device.DeviceClass().EmLinha(0));
}

TEST(SerialPorts, MissingPortsAreNamedInTheError)
{
    testsupport::ScopedEnv unmapped("KVL_COM99", std::nullopt);
    for (std::string_view port : {"/dev/ttyS99", "COM99"}) {
        TQuibDevice device;
        device.SetPorta(port);
        EXPECT_EQ(messageOf([&] { device.Ativar(); }), "Porta " + std::string(port) + " não encontrada");
        EXPECT_FALSE(device.Ativo());
    }
}

TEST(SerialPorts, AMappedComPortOpensTheMappedDevice)
{
    PtyPair pty;
    testsupport::ScopedEnv mapped("KVL_COM7", pty.path());
    TQuibDevice device;
    device.SetPorta("com7");
    device.Ativar();
    device.EnviaString("ok");
    EXPECT_EQ(pty.read(2, 1s), "ok");
}

} // namespace

namespace {

// The trace with its time stamps and the pseudo-terminal's number masked.
std::string maskedTrace(std::string trace, const std::string &ptyPath)
{
    static const std::regex stamp(R"(^-- \d\d/\d\d \d\d:\d\d:\d\d:\d\d\d )", std::regex::multiline);
    trace = std::regex_replace(trace, stamp, "-- dd/mm hh:nn:ss:zzz ");
    for (auto at = trace.find(ptyPath); at != std::string::npos; at = trace.find(ptyPath, at))
        trace.replace(at, ptyPath.size(), "/dev/pts/N");
    return trace;
}

TEST(SerialTrace, OneRunTracesEveryStep)
{
    PtyPair pty;
    TempDir dir;
    const auto trace = (dir / "device.log").string();
    {
        TQuibDevice device;
        device.SetArqLOG(trace);
        device.SetPorta(pty.path());
        device.SetBaud(19200);
        device.Ativar();
        device.EnviaString("\x1b@Ola\n");
        pty.write("OK\r");
        device.LeString(500, 0, "\r");
        device.Desativar();
    }
    const std::string expected =
        testsupport::readFile(testsupport::sourceDir() / "tests/printing/device/data/serial_run.trace");
    EXPECT_EQ(maskedTrace(testsupport::readFile(trace), pty.path()), expected);
}

} // namespace
