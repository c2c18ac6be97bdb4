#include "printing/device/serial_port.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

#include "foundation/dates/date_time.h"
#include "printing/device/detail/serial_custom_speed.h"

namespace {

std::int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(currentTimePoint().time_since_epoch()).count();
}

std::string systemText(int code)
{
    return std::strerror(code);
}

struct SpeedCode {
    int baud;
    speed_t code;
};

// clang-format off
constexpr std::array kSpeedCodes = {
    SpeedCode{50, B50},           SpeedCode{75, B75},           SpeedCode{110, B110},
    SpeedCode{134, B134},         SpeedCode{150, B150},         SpeedCode{200, B200},
    SpeedCode{300, B300},         SpeedCode{600, B600},         SpeedCode{1200, B1200},
    SpeedCode{1800, B1800},       SpeedCode{2400, B2400},       SpeedCode{4800, B4800},
    SpeedCode{9600, B9600},       SpeedCode{19200, B19200},     SpeedCode{38400, B38400},
    SpeedCode{57600, B57600},     SpeedCode{115200, B115200},   SpeedCode{230400, B230400},
    SpeedCode{460800, B460800},   SpeedCode{500000, B500000},   SpeedCode{576000, B576000},
    SpeedCode{921600, B921600},   SpeedCode{1000000, B1000000}, SpeedCode{1152000, B1152000},
    SpeedCode{1500000, B1500000}, SpeedCode{2000000, B2000000}, SpeedCode{2500000, B2500000},
    SpeedCode{3000000, B3000000}, SpeedCode{3500000, B3500000}, SpeedCode{4000000, B4000000},
};
// clang-format on

std::optional<speed_t> speedCode(int baud)
{
    for (const auto &row : kSpeedCodes) {
        if (row.baud == baud)
            return row.code;
    }
    return std::nullopt;
}

tcflag_t dataBitsFlag(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

} // namespace

SerialPort::~SerialPort()
{
    close();
}

void SerialPort::fail(int code, const std::string &message)
{
    lastError_ = code;
    throw ESerialError(code, message);
}

void SerialPort::requireOpen(std::string_view what)
{
    if (!isOpen())
        fail(EBADF, "Porta serial fechada: não é possível " + std::string(what));
}

void SerialPort::notify(SerialStatus status, const std::string &value)
{
    if (statusHook_)
        statusHook_(*this, status, value);
}

void SerialPort::open(const std::string &path)
{
    close();
    lastError_ = 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        switch (error) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case EIO:
            fail(kSerialPortNotFound, "A porta serial " + path + " não existe");
        case EACCES:
        case EPERM:
            fail(error, "Sem permissão para abrir a porta serial " + path +
                            ": o usuário precisa pertencer ao grupo dialout");
        default:
            fail(error, "Não foi possível abrir a porta serial " + path + ": " + systemText(error));
        }
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error, path + " não é uma porta serial");
    }
    fd_ = fd;
    path_ = path;
    kept_.clear();
    notify(SerialStatus::Opened, path);
}

void SerialPort::close()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    kept_.clear();
    notify(SerialStatus::Closed, path_);
}

void SerialPort::configure(int baud, int dataBits, char parity, int stopCode, bool softFlow, bool hardFlow)
{
    requireOpen("configurar");
    if (baud < 50 || baud > 4000000)
        fail(EINVAL, "Velocidade " + std::to_string(baud) + " fora da faixa de 50 a 4000000");
    if (dataBits < 5 || dataBits > 8)
        fail(EINVAL, "Bits de dados " + std::to_string(dataBits) + " fora da faixa de 5 a 8");
    if (std::string_view("NOEMS").find(parity) == std::string_view::npos)
        fail(EINVAL, std::string("Paridade \"") + parity + "\" desconhecida");
    if (stopCode < 0 || stopCode > 2)
        fail(EINVAL, "Código de bits de parada " + std::to_string(stopCode) + " desconhecido");

    termios previous{};
    if (::tcgetattr(fd_, &previous) != 0)
        fail(errno, "Não foi possível ler a configuração da porta " + path_ + ": " + systemText(errno));
    termios settings = previous;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    settings.c_cflag |= dataBitsFlag(dataBits);
    switch (parity) {
    case 'O':
        settings.c_cflag |= PARENB | PARODD;
        break;
    case 'E':
        settings.c_cflag |= PARENB;
        break;
    case 'M':
        settings.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case 'S':
        settings.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (stopCode != 0)
        settings.c_cflag |= CSTOPB;
    if (hardFlow)
        settings.c_cflag |= CRTSCTS;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (softFlow)
        settings.c_iflag |= IXON | IXOFF;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;

    const auto code = speedCode(baud);
    ::cfsetispeed(&settings, code.value_or(B9600));
    ::cfsetospeed(&settings, code.value_or(B9600));
    if (::tcsetattr(fd_, TCSANOW, &settings) != 0) {
        const int error = errno;
        ::tcsetattr(fd_, TCSANOW, &previous);
        fail(error, "A porta " + path_ + " recusou a configuração: " + systemText(error));
    }
    // A driver may take part of the settings and adjust the rest silently
    // (a pseudo-terminal keeps 8 data bits): the frame must be what was asked.
    constexpr tcflag_t kFrame = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    termios applied{};
    if (::tcgetattr(fd_, &applied) != 0 || (applied.c_cflag & kFrame) != (settings.c_cflag & kFrame)) {
        ::tcsetattr(fd_, TCSANOW, &previous);
        fail(EINVAL, "A porta " + path_ + " não aceita " + std::to_string(dataBits) +
                         " bits de dados com paridade " + parity + " e " + (stopCode == 0 ? "1" : "2") +
                         " bit(s) de parada");
    }
    if (!code && !serial_detail::setCustomSpeed(fd_, baud))
        fail(errno,
             "A porta " + path_ + " recusou a velocidade " + std::to_string(baud) + ": " + systemText(errno));
    notify(SerialStatus::Configured, std::to_string(baud));
}

std::optional<bool> SerialPort::modemLine(int bit)
{
    if (!isOpen()) {
        lastError_ = EBADF;
        return std::nullopt;
    }
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
        lastError_ = errno;
        return std::nullopt;
    }
    return (bits & bit) != 0;
}

bool SerialPort::setModemLine(int bit, bool on)
{
    if (!isOpen()) {
        lastError_ = EBADF;
        return false;
    }
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) != 0) {
        lastError_ = errno;
        return false;
    }
    return true;
}

bool SerialPort::setRts(bool on)
{
    return setModemLine(TIOCM_RTS, on);
}

bool SerialPort::setDtr(bool on)
{
    return setModemLine(TIOCM_DTR, on);
}

std::optional<bool> SerialPort::cts()
{
    return modemLine(TIOCM_CTS);
}

std::optional<bool> SerialPort::dsr()
{
    return modemLine(TIOCM_DSR);
}

int SerialPort::remainingMs(std::int64_t deadlineMs) const
{
    const std::int64_t left = deadlineMs - nowMs();
    return left <= 0 ? 0 : static_cast<int>(std::min<std::int64_t>(left, 1'000'000));
}

bool SerialPort::waitReady(short events, int remaining)
{
    if (remaining <= 0)
        return false;
    pollfd entry{fd_, events, 0};
    int result;
    do {
        result = ::poll(&entry, 1, remaining);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        fail(errno, "Erro esperando a porta " + path_ + ": " + systemText(errno));
    return result > 0;
}

std::size_t SerialPort::sendBuffer(std::string_view bytes)
{
    requireOpen("enviar");
    const std::int64_t deadline = nowMs() + writeTimeoutMs_;
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (maxBandwidth_ > 0)
            chunk = std::min<std::size_t>(chunk, std::max(1, maxBandwidth_ / 10));
        const ssize_t count = ::write(fd_, bytes.data() + written, chunk);
        if (count > 0) {
            written += static_cast<std::size_t>(count);
            if (maxBandwidth_ > 0)
                sleepFor(std::chrono::milliseconds(count * 1000 / maxBandwidth_));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno != EAGAIN)
            fail(errno, "Erro ao escrever na porta " + path_ + ": " + systemText(errno));
        if (!waitReady(POLLOUT, remainingMs(deadline)))
            break;
    }
    if (written > 0)
        notify(SerialStatus::Sent, std::to_string(written));
    return written;
}

void SerialPort::sendByte(std::uint8_t byte)
{
    const char value = static_cast<char>(byte);
    if (sendBuffer(std::string_view(&value, 1)) != 1)
        fail(ETIMEDOUT, "Tempo esgotado ao escrever na porta " + path_);
}

bool SerialPort::fillKept()
{
    std::array<char, 4096> buffer{};
    bool any = false;
    for (;;) {
        const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
        if (count > 0) {
            kept_.append(buffer.data(), static_cast<std::size_t>(count));
            any = true;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno != EAGAIN)
            fail(errno, "Erro ao ler da porta " + path_ + ": " + systemText(errno));
        break;
    }
    if (any)
        notify(SerialStatus::Received, std::to_string(kept_.size()));
    return any;
}

std::string SerialPort::takeKept(std::size_t count)
{
    std::string result = kept_.substr(0, count);
    kept_.erase(0, count);
    return result;
}

std::string SerialPort::recvExact(std::size_t count, int timeoutMs)
{
    requireOpen("ler");
    const std::int64_t deadline = nowMs() + timeoutMs;
    while (kept_.size() < count) {
        if (fillKept())
            continue;
        if (!waitReady(POLLIN, remainingMs(deadline)))
            fail(ETIMEDOUT, "Tempo esgotado esperando " + std::to_string(count) + " bytes da porta " + path_ +
                                " (" + std::to_string(timeoutMs) + " ms)");
    }
    return takeKept(count);
}

std::string SerialPort::recvTerminated(std::string_view terminator, int timeoutMs)
{
    if (terminator.empty())
        return recvAvailable(timeoutMs);
    requireOpen("ler");
    const std::int64_t deadline = nowMs() + timeoutMs;
    for (;;) {
        const auto at = kept_.find(terminator);
        if (at != std::string::npos) {
            std::string result = takeKept(at);
            kept_.erase(0, terminator.size());
            return result;
        }
        if (fillKept())
            continue;
        if (!waitReady(POLLIN, remainingMs(deadline)))
            fail(ETIMEDOUT, "Tempo esgotado esperando o terminador da porta " + path_ + " (" +
                                std::to_string(timeoutMs) + " ms)");
    }
}

std::string SerialPort::recvAvailable(int timeoutMs)
{
    requireOpen("ler");
    if (!fillKept() && kept_.empty() && waitReady(POLLIN, timeoutMs))
        fillKept();
    return takeKept(kept_.size());
}

std::uint8_t SerialPort::recvByte(int timeoutMs)
{
    return static_cast<std::uint8_t>(recvExact(1, timeoutMs)[0]);
}

int SerialPort::waitingBytes()
{
    if (!kept_.empty())
        return static_cast<int>(kept_.size());
    if (!isOpen())
        return 0;
    int queued = 0;
    if (::ioctl(fd_, FIONREAD, &queued) != 0) {
        lastError_ = errno;
        return 0;
    }
    return queued;
}

void SerialPort::purge()
{
    kept_.clear();
    if (isOpen())
        ::tcflush(fd_, TCIOFLUSH);
    notify(SerialStatus::Purged, path_);
}
