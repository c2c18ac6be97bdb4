// Writing text files and trace-log lines.

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/files/compression.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failWrite(const fs::path &file, int error)
{
    throw FileWriteError("Não foi possível gravar o arquivo \"" + file.string() +
                         "\": " + std::generic_category().message(error));
}

// Writes every byte; false (with errno set) when the system refuses some.
bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t put = ::write(fd, data.data(), data.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (errno set if not).
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Appends to an existing file; a write that fails is cut back to the former
// size. False when the file vanished before it could be opened.
bool appendToFile(const fs::path &file, std::string_view data)
{
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return false;
        failWrite(file, errno);
    }
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0)
        failWrite(file, errno);
    if (!writeAll(fd.get(), data)) {
        const int error = errno;
        if (::ftruncate(fd.get(), before.st_size) != 0) {
            // Nothing more can be done: the error of the write is the one to report.
        }
        failWrite(file, error);
    }
    if (!fd.close())
        failWrite(file, errno);
    return true;
}

std::string temporaryNameFor(const fs::path &target)
{
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    return "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + "-" + std::to_string(random() % 1000000);
}

// Writes the data to a new file beside the target and renames it over the
// target, so the target holds either its old or its new contents.
void replaceFile(const fs::path &requested, std::string_view data)
{
    std::error_code ignored;
    const fs::path target =
        fs::is_symlink(requested, ignored) ? fs::canonical(requested, ignored) : requested;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;

    fs::path temporary;
    int raw = -1;
    for (int attempt = 0; raw < 0 && attempt < 100; ++attempt) {
        temporary = folder / temporaryNameFor(target);
        raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST)
            failWrite(requested, errno);
    }
    if (raw < 0)
        failWrite(requested, EEXIST);
    FileDescriptor fd(raw);

    auto discard = [&](int error) {
        ::unlink(temporary.c_str());
        failWrite(requested, error);
    };
    if (!writeAll(fd.get(), data))
        discard(errno);
    if (exists && ::fchmod(fd.get(), existing.st_mode & 07777) != 0)
        discard(errno);
    if (::fsync(fd.get()) != 0)
        discard(errno);
    if (!fd.close())
        discard(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        discard(errno);
}

} // namespace

void GravaTextoEmArquivo(std::string_view arquivo, std::string_view texto, bool adicionar, bool quebraLinha,
                         bool criarPasta)
{
    if (arquivo.empty())
        return;
    const fs::path file(localPath(arquivo));
    std::error_code error;
    const bool exists = fs::exists(file, error);
    if (exists && texto.empty())
        return;

    if (!exists && criarPasta && file.has_parent_path()) {
        fs::create_directories(file.parent_path(), error);
        if (error)
            failWrite(file, error.value());
    }

    std::string data(texto);
    if (quebraLinha)
        data += "\r\n";
    if (exists && adicionar && appendToFile(file, data))
        return;
    replaceFile(file, data);
}

void SobrescreveArquivoTexto(std::string_view arquivo, std::string_view texto, bool criarPasta)
{
    GravaTextoEmArquivo(arquivo, texto, false, false, criarPasta);
}

void GravaLinhaLog(std::string_view arquivo, std::string_view linha, bool traduzir)
{
    if (arquivo.empty())
        return;
    try {
        GravaTextoEmArquivo(arquivo, traduzir ? TraduzNaoImprimiveis(linha) : std::string(linha), true, true,
                            false);
    } catch (...) {
        // A trace log must never stop the work it records.
    }
}

std::string TraduzNaoImprimiveis(std::string_view texto)
{
    static constexpr std::pair<unsigned char, const char *> kNames[] = {
        {0, "[NUL]"},  {1, "[SOH]"},  {2, "[STX]"}, {3, "[ETX]"}, {5, "[ENQ]"}, {6, "[ACK]"},
        {8, "[BS]"},   {9, "[TAB]"},  {10, "[LF]"}, {12, "[FF]"}, {13, "[CR]"}, {17, "[WAK]"},
        {21, "[NAK]"}, {27, "[ESC]"}, {28, "[FS]"}, {29, "[GS]"},
    };
    std::string result;
    result.reserve(texto.size());
    for (const char c : texto) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte <= 126) {
            result.push_back(c);
            continue;
        }
        const char *name = nullptr;
        for (const auto &[code, text] : kNames) {
            if (code == byte)
                name = text;
        }
        result += name != nullptr ? std::string(name) : "[" + std::to_string(byte) + "]";
    }
    return result;
}

std::string DescompactaStream(std::istream &stream)
{
    return DescompactaStreamParaTexto(stream);
}

std::string DescompactaTexto(std::string_view dados)
{
    return DescompactaBytes(dados);
}
