#include "printing/device/device.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;

TEST(DeviceHook, WithoutHooksItActivatesDropsAndReadsNothing)
{
    TQuibDevice device;
    device.SetPorta("DLL");
    device.Ativar();
    device.EnviaString("perdido");
    EXPECT_EQ(device.LeString(50, 1), "");
    device.Desativar();
}

TEST(DeviceHook, EveryOperationGoesToItsHook)
{
    TQuibDevice device;
    std::string log;
    device.hookAtivar = [&](const std::string &port, const std::string &params) {
        log += "ativar " + port + " " + params + ";";
    };
    device.hookDesativar = [&](const std::string &port) { log += "desativar " + port + ";"; };
    device.hookEnviaString = [&](const std::string &cmd) { log += "envia " + cmd + ";"; };
    device.SetPorta("DLLHPRT");
    device.Ativar();
    device.EnviaString("abc");
    device.Desativar();
    EXPECT_EQ(log,
              "ativar DLLHPRT BAUD=9600 DATA=8 PARITY=N STOP=1 HANDSHAKE= MAXBANDWIDTH=0 SENDBYTESCOUNT=0 "
              "SENDBYTESINTERVAL=0;envia abc;desativar DLLHPRT;");
}

TEST(DeviceHook, ATerminatorReadStopsAtThePieceEndingWithIt)
{
    TQuibDevice device;
    const std::vector<std::string> pieces = {"", "AB", "C\r", "never"};
    std::size_t next = 0;
    std::vector<int> asked;
    device.hookLeString = [&](int numBytes, int, std::string &retorno) {
        asked.push_back(numBytes);
        retorno = pieces[std::min(next++, pieces.size() - 1)];
    };
    device.SetPorta("DLL");
    device.Ativar();
    EXPECT_EQ(device.LeString(1000, 8, "\r"), "ABC");
    EXPECT_EQ(asked, (std::vector<int>{8, 8, 8}));
}

TEST(DeviceHook, ClearingAHookThatAlwaysAnswersEndsWithinTheTimeOut)
{
    TQuibDevice device;
    device.SetTimeOutMilissegundos(300);
    device.hookLeString = [](int, int, std::string &retorno) { retorno = "\x14"; };
    device.SetPorta("DLL");
    device.Ativar();
    const auto start = Clock::now();
    device.Limpar();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
}

} // namespace
