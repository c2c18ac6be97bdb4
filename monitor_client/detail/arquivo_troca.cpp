#include "monitor_client/detail/arquivo_troca.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace monitor_detail {

std::optional<std::string> gravaPorRenomeacao(const std::filesystem::path &destino,
                                              const std::filesystem::path &temporario, std::string_view bytes,
                                              bool sincroniza)
{
    const int fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return "não foi possível criar " + temporario.string() + ": " + std::strerror(errno);
    std::size_t escrito = 0;
    while (escrito < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + escrito, bytes.size() - escrito);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const std::string motivo = std::strerror(n < 0 ? errno : ENOSPC);
            ::close(fd);
            ::unlink(temporario.c_str());
            return "não foi possível gravar " + temporario.string() + ": " + motivo;
        }
        escrito += static_cast<std::size_t>(n);
    }
    if ((sincroniza && ::fsync(fd) != 0) || ::close(fd) != 0) {
        const std::string motivo = std::strerror(errno);
        ::unlink(temporario.c_str());
        return "não foi possível gravar " + temporario.string() + ": " + motivo;
    }
    if (::rename(temporario.c_str(), destino.c_str()) != 0) {
        const std::string motivo = std::strerror(errno);
        ::unlink(temporario.c_str());
        return "não foi possível renomear para " + destino.string() + ": " + motivo;
    }
    return std::nullopt;
}

std::optional<std::string> leArquivo(const std::filesystem::path &arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    if (entrada.bad())
        return std::nullopt;
    return bytes;
}

bool nomeCombina(std::string_view nome, std::string_view mascara)
{
    return ::fnmatch(std::string(mascara).c_str(), std::string(nome).c_str(), FNM_CASEFOLD) == 0;
}

std::string minusculas(std::string_view texto)
{
    std::string saida(texto);
    std::transform(saida.begin(), saida.end(), saida.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return saida;
}

} // namespace monitor_detail
