#include "printing/device/device.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::ScopedEnv;
using testsupport::TempDir;
using Clock = std::chrono::steady_clock;

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EQuibDeviceError &error) {
        return error.what();
    }
    return "(no error)";
}

// A FIFO in the folder with its reading end open (non-blocking).
struct Fifo {
    explicit Fifo(const std::filesystem::path &path) : path(path)
    {
        ::mkfifo(path.c_str(), 0600);
        reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    }
    ~Fifo() { ::close(reader); }
    std::string drain() const
    {
        std::string bytes;
        char buffer[4096];
        for (ssize_t count; (count = ::read(reader, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(count));
        return bytes;
    }
    std::filesystem::path path;
    int reader;
};

TEST(DeviceFile, AFilePortIsEmptiedAtActivationAndAppendedToPerSend)
{
    TempDir dir;
    const auto file = dir.write("out.bin", "old receipt");
    TQuibDevice device;
    device.SetSendBytesCount(3);
    device.SetPorta("FILE:" + file.string());
    device.Ativar();
    EXPECT_EQ(testsupport::readFile(file), "");
    device.EnviaString(std::string("a\0b", 3));
    device.EnviaString("\xFF\n");
    EXPECT_EQ(testsupport::readFile(file), std::string("a\0b\xFF\n", 5));
    device.Desativar();
    device.Ativar();
    EXPECT_EQ(testsupport::readFile(file), "");
}

TEST(DeviceFile, AParallelPortNameOpensItsMappedDevice)
{
    TempDir dir;
    Fifo fifo(dir / "lp");
    ScopedEnv mapping("KVL_LPT1", fifo.path.string());
    TQuibDevice device;
    device.SetPorta("lpt1");
    EXPECT_EQ(device.DeviceType(), dtParallel);
    device.Ativar();
    device.EnviaString("\x1B@recibo");
    EXPECT_EQ(fifo.drain(), "\x1B@recibo");
}

TEST(DeviceFile, ATargetThatCannotBeOpenedFailsActivation)
{
    TempDir dir;
    TQuibDevice device;
    device.SetPorta("FILE:" + (dir / "sem-pasta" / "out.bin").string());
    const std::string message = messageOf([&] { device.Ativar(); });
    EXPECT_TRUE(message.starts_with("EInOutError: ")) << message;
    EXPECT_FALSE(device.Ativo());
}

// Neither the caller's write nor the writer thread may hang on a target that
// takes nothing.
TEST(DeviceFile, AStuckTargetEndsTheSendWithAnError)
{
    for (const bool usarThread : {false, true}) {
        SCOPED_TRACE(usarThread ? "writer thread" : "caller's thread");
        TempDir dir;
        Fifo fifo(dir / "lp");
        ScopedEnv mapping("KVL_LPT2", fifo.path.string());
        TQuibDevice device;
        device.SetTimeOutMilissegundos(300);
        device.LPT().UsarThread = usarThread;
        device.SetPorta("LPT2");
        device.Ativar();
        const auto start = Clock::now();
        const std::string message = messageOf([&] { device.EnviaString(std::string(1024 * 1024, 'x')); });
        EXPECT_TRUE(message.starts_with("Erro gravando em: LPT2 ")) << message;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    }
}

TEST(DeviceFile, TheWriterThreadDeliversEverything)
{
    TempDir dir;
    const auto file = dir / "out.txt";
    TQuibDevice device;
    device.LPT().UsarThread = true;
    device.SetPorta(file.string());
    device.Ativar();
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i % 251);
    device.EnviaString(bytes);
    EXPECT_EQ(testsupport::readFile(file), bytes);
}

} // namespace
