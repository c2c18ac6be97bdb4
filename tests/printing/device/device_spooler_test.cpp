#include "printing/device/device.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "tests/support/fake_pos_printer.h"
#include "tests/support/private_cups.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::FakePosPrinter;
using testsupport::PrivateCups;

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EQuibDeviceError &error) {
        return error.what();
    }
    return "(no error)";
}

// Points the scheduler client of this thread at a scheduler for one test.
class SchedulerServer {
  public:
    explicit SchedulerServer(const std::string &server) { cupsSetServer(server.c_str()); }
    ~SchedulerServer() { cupsSetServer(nullptr); }
};

class DeviceSpooler : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (!PrivateCups::instance().running())
            GTEST_SKIP() << "no private print scheduler: " << PrivateCups::instance().whyNot();
        server_.emplace(PrivateCups::instance().socketPath());
    }

    std::optional<SchedulerServer> server_;
};

TEST_F(DeviceSpooler, EveryWayOfNamingTheQueueDeliversTheExactBytes)
{
    FakePosPrinter printer;
    ASSERT_EQ(PrivateCups::instance().addRawQueue("POSRAW", printer.port()), "");
    const std::string bytes("\x1B@A\0\x57\xFF\nfim", 9);
    std::string expected;
    for (const std::string port : {"RAW:POSRAW", "posraw", "*"}) {
        SCOPED_TRACE(port);
        expected += bytes;
        TQuibDevice device;
        device.SetPorta(port);
        EXPECT_EQ(device.DeviceType(), dtRawPrinter);
        device.SetNomeDocumento("Cupom 123");
        device.Ativar();
        device.EnviaString(bytes);
        device.Desativar();
        EXPECT_EQ(printer.waitForBytes(expected.size(), 10000), expected);
    }
}

TEST_F(DeviceSpooler, AMissingPrinterFailsActivation)
{
    TQuibDevice device;
    device.SetPorta("RAW:NOPE");
    EXPECT_EQ(messageOf([&] { device.Ativar(); }), "Impressora não encontrada [NOPE]");
    EXPECT_FALSE(device.Ativo());
}

TEST_F(DeviceSpooler, AQueueThatRejectsJobsIsAnErrorNotAPrint)
{
    FakePosPrinter printer;
    ASSERT_EQ(PrivateCups::instance().addRawQueue("POSREJ", printer.port()), "");
    ASSERT_EQ(PrivateCups::instance().setAccepting("POSREJ", false), "");
    testsupport::TempDir dir;
    TQuibDevice device;
    device.SetArqLOG((dir / "device.log").string());
    device.SetPorta("RAW:POSREJ");
    device.Ativar();
    const std::string message = messageOf([&] { device.EnviaString("recibo"); });
    EXPECT_TRUE(message.starts_with("Erro ao imprimir na impressora [POSREJ]: ")) << message;
    EXPECT_GT(message.size(), std::string("Erro ao imprimir na impressora [POSREJ]: ").size());
    EXPECT_NE(testsupport::readFile(dir / "device.log").find("Exception: Erro ao imprimir"),
              std::string::npos);
}

TEST(DeviceSpoolerWithoutScheduler, NoPrinterIsKnownAndTheDefaultIsMissing)
{
    testsupport::TempDir dir;
    SchedulerServer server((dir / "none.sock").string());
    TQuibDevice device;
    device.SetPorta("POSRAW");
    EXPECT_EQ(device.DeviceType(), dtNenhum);
    device.SetPorta("*");
    EXPECT_EQ(messageOf([&] { device.Ativar(); }), "Erro Nenhuma impressora Padrão foi detectada");
}

TEST(DeviceSpoolerChoice, PrinterNamesAndShareNamesAreFound)
{
    const std::vector<std::string> printers = {"Caixa", "\\\\loja\\Balcao", "\\\\loja"};
    // clang-format off
    const std::pair<const char *, int> cases[] = {
        {"caixa", 0}, {"\\\\LOJA\\BALCAO", 1}, {"balcao", 1}, {"loja", -1}, {"Cozinha", -1},
    };
    // clang-format on
    for (const auto &[name, index] : cases)
        EXPECT_EQ(AcharImpressora(printers, name), index) << name;
}

} // namespace
