#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/fake_pos_printer.h"
#include "tests/support/fake_usb_tree.h"
#include "tests/support/private_cups.h"
#include "tests/support/pty_pair.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/nfe_check_paths.h"

using namespace std::chrono_literals;
using nfe_check_test::tool;
using testsupport::runCommand;

TEST(NfeCheckDevice, SendsTheFileUnchangedAndPrintsTheAnswerInHexadecimal)
{
    testsupport::PtyPair pty;
    testsupport::TempDir dir;
    const std::string bytes("\x1b@recibo\r\n\x00\xff", 12);
    const auto file = dir.write("recibo.bin", bytes).string();
    std::string received;
    std::atomic<bool> toolEnded{false};
    // The tool is a program of its own and can take seconds to start on a
    // loaded machine, so the printer waits for the bytes as long as it runs.
    std::thread printer([&] {
        while (received.size() < bytes.size() && !toolEnded)
            received += pty.read(bytes.size() - received.size(), 200ms);
        if (received == bytes)
            pty.write("\x12\x34");
    });
    const auto result =
        runCommand({tool(), "device-send", pty.path(), file, "--timeout", "5000", "--read", "2"});
    toolEnded = true;
    printer.join();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(received, bytes);
    EXPECT_EQ(result.out, "1234\n");
}

TEST(NfeCheckDevice, SendsToTheFirstUsbPrinterOfTheTreeTheEnvironmentNames)
{
    testsupport::FakeUsbTree tree;
    testsupport::PtyPair pty;
    tree.addDevice("1-1", "0b1b", "0007", "Bematech", "MP-2800 TH");
    tree.addInterface("1-1", 0, "07", "lp0");
    tree.linkNode("usb/lp0", pty.path());
    pty.setRaw();
    testsupport::ScopedEnv sys("KVL_SYSFS_ROOT", tree.sysfsRoot());
    testsupport::ScopedEnv dev("KVL_DEV_ROOT", tree.devRoot());
    testsupport::TempDir dir;
    const std::string bytes("\x1b@cupom\n\x1dV\x00", 11);
    const auto file = dir.write("cupom.bin", bytes).string();

    const auto result = runCommand({tool(), "device-send", "USB", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(pty.read(bytes.size(), 2s), bytes);

    const auto unknown = runCommand({tool(), "device-send", "USB:Epson", file});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, "Erro, dispositivo [USB:Epson] não encontrado\n");
}

TEST(NfeCheckDevice, DeviceErrorsAndWrongArgumentsHaveTheirOwnExitCodes)
{
    testsupport::TempDir dir;
    const auto file = dir.write("vazio.bin", "x").string();
    const auto missing = runCommand({tool(), "device-send", "/dev/ttyS99", file});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Porta /dev/ttyS99 não encontrada\n");

    for (const auto &args : {std::vector<std::string>{tool(), "device-send", "NULL"},
                             std::vector<std::string>{tool(), "device-send", "NULL", file, "--read", "x"},
                             std::vector<std::string>{tool(), "device-send", "NULL", file, "--speed", "9"}})
        EXPECT_EQ(runCommand(args).exitCode, 2) << args.back();
    EXPECT_EQ(runCommand({tool(), "device-send", "NULL", file, "--read", "0", "--timeout", "20"}).out, "\n");
}

TEST(NfeCheckDevice, SendsThroughNetworkSpoolerAndFilePorts)
{
    testsupport::TempDir dir;
    const std::string bytes("\x1b@nota\x00\x57\xff", 10);
    const auto file = dir.write("recibo.bin", bytes).string();

    testsupport::FakePosPrinter network;
    auto result =
        runCommand({tool(), "device-send", "TCP:127.0.0.1:" + std::to_string(network.port()), file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(network.waitForBytes(bytes.size(), 2000), bytes);

    const auto out = dir / "out.bin";
    result = runCommand({tool(), "device-send", "FILE:" + out.string(), file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(testsupport::readFile(out), bytes);

    auto &cups = testsupport::PrivateCups::instance();
    if (!cups.running())
        GTEST_SKIP() << "no private print scheduler: " << cups.whyNot();
    testsupport::FakePosPrinter queued;
    ASSERT_EQ(cups.addRawQueue("POSRAW", queued.port()), "");
    result = runCommand({tool(), "device-send", "RAW:POSRAW", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(queued.waitForBytes(bytes.size(), 10000), bytes);
    EXPECT_EQ(runCommand({tool(), "device-send", "RAW:NOPE", file}).err,
              "Impressora não encontrada [NOPE]\n");
}
