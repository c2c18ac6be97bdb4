#include "printing/device/device_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "printing/device/device.h"
#include "printing/device/ports.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a wait for the target runs before it looks at the stop request.
constexpr int kStopCheckMs = 50;
// The writer thread's piece size and the caller's look at its progress.
constexpr std::size_t kThreadPiece = 256;
constexpr auto kThreadPoll = milliseconds(200);

// Failures of the target, kept apart from the device's errors so Conectar can
// word an open failure its own way.
struct TargetError {
    bool opening;
    std::string reason;
};

class Target {
  public:
    Target(const std::string &path, bool append, bool stream)
    {
        int flags = O_NONBLOCK | O_CLOEXEC | (stream ? O_RDWR : O_WRONLY);
        if (!append)
            flags |= O_CREAT | O_TRUNC;
        else if (!stream)
            flags |= O_APPEND;
        fd_ = ::open(path.c_str(), flags, stream ? 0644 : 0666);
        if (fd_ < 0)
            throw TargetError{true, "Não foi possível abrir " + path + ": " + std::strerror(errno)};
        if (stream)
            ::lseek(fd_, 0, SEEK_END);
    }
    ~Target() { ::close(fd_); }
    Target(const Target &) = delete;
    Target &operator=(const Target &) = delete;

    void write(std::string_view bytes, int timeOutMs, const std::atomic<bool> *stop)
    {
        auto deadline = Clock::now() + milliseconds(timeOutMs);
        while (!bytes.empty()) {
            if (stop != nullptr && stop->load())
                throw TargetError{false, "gravação interrompida"};
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(written));
                deadline = Clock::now() + milliseconds(timeOutMs);
                continue;
            }
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                throw TargetError{false, std::strerror(errno)};
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                throw TargetError{false, "o destino não recebe dados"};
            pollfd entry{fd_, POLLOUT, 0};
            ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, kStopCheckMs)));
        }
    }

  private:
    int fd_ = -1;
};

bool isFile(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

std::string TQuibDeviceLPT::NomeArquivoPorta(std::string_view porta)
{
    if (upperAscii(porta.substr(0, 5)) == "FILE:")
        porta.remove_prefix(5);
    return std::string(porta);
}

std::string TQuibDeviceLPT::CaminhoLocal(std::string_view porta)
{
    const std::string nome = NomeArquivoPorta(porta);
    if (upperAscii(nome).starts_with("LPT"))
        return parallelDevicePath(nome);
    if (driveLetterOf(nome) != '\0')
        return localPath(nome);
    return nome;
}

void TQuibDeviceLPT::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    const std::string nome = NomeArquivoPorta(porta);
    GravaLog("  NomeArq: " + nome);
    const std::string caminho = CaminhoLocal(porta);
    if (Owner().DeviceType() == dtFile && isFile(caminho)) {
        GravaLog("  DeleteFile(" + nome + ")");
        ::unlink(caminho.c_str());
    }
    try {
        EnviaStringArquivo({}, timeOutMilissegundos);
    } catch (const EQuibDeviceError &) {
        throw;
    } catch (const TargetError &erro) {
        if (UsarStream)
            DisparaExcecao(EQuibDeviceError(
                Owner().DeviceType() != dtFile ? "Porta " + porta + " não acessível" : erro.reason));
        DisparaExcecao(EQuibDeviceError("EInOutError: " + erro.reason));
    }
}

void TQuibDeviceLPT::Desconectar(bool ignorarErros)
{
    // Nothing stays open between sends.
    TQuibDeviceClass::Desconectar(ignorarErros);
}

void TQuibDeviceLPT::EnviaString(std::string_view bytes)
{
    GravaLog(std::string("  TQuibDeviceLPT.EnviaString ") + (UsarThread ? " - UsarThread" : ""));
    if (UsarThread) {
        EnviaStringThread(bytes);
        return;
    }
    try {
        EnviaStringArquivo(bytes, Owner().TimeOutMilissegundos());
    } catch (const TargetError &erro) {
        DisparaExcecao(EQuibDeviceError("Erro gravando em: " + Porta() + " " + erro.reason));
    }
}

void TQuibDeviceLPT::EnviaStringArquivo(std::string_view bytes, int timeOutMilissegundos,
                                        const std::atomic<bool> *parar)
{
    const std::string caminho = CaminhoLocal(Porta());
    const bool anexar = Owner().DeviceType() == dtFile && isFile(caminho);
    Target alvo(caminho, anexar, UsarStream);
    sendInPieces(bytes, [&](std::string_view peca) { alvo.write(peca, timeOutMilissegundos, parar); });
}

void TQuibDeviceLPT::EnviaStringThread(std::string_view bytes)
{
    std::atomic<std::size_t> enviados{0};
    std::atomic<bool> parar{false};
    std::atomic<bool> terminou{false};
    std::atomic<bool> falhou{false};
    const int limite = Owner().TimeOutMilissegundos();
    std::thread escritor([&] {
        try {
            for (std::size_t posicao = 0; posicao < bytes.size() && !parar.load(); posicao += kThreadPiece) {
                EnviaStringArquivo(bytes.substr(posicao, kThreadPiece), limite, &parar);
                enviados += kThreadPiece;
            }
        } catch (...) {
            falhou = true;
        }
        terminou = true;
    });

    std::size_t visto = static_cast<std::size_t>(-1);
    auto prazo = Clock::now();
    bool semProgresso = false;
    while (!terminou.load()) {
        if (const std::size_t agora = enviados.load(); agora != visto) {
            visto = agora;
            prazo = Clock::now() + milliseconds(GetTimeOutMilissegundos());
        }
        if (Clock::now() > prazo) {
            semProgresso = true;
            break;
        }
        const auto acorda = Clock::now() + kThreadPoll;
        while (!terminou.load() && Clock::now() < acorda)
            std::this_thread::sleep_for(milliseconds(10));
    }
    parar = true;
    escritor.join();
    if (semProgresso || falhou.load())
        DisparaExcecao(EQuibDeviceError("Erro gravando em: " + Porta() + " "));
}
