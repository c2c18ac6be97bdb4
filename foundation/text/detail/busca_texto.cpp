#include "foundation/text/detail/busca_texto.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t npos = std::string_view::npos;

unsigned char maiuscula(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool ehLetraMaiuscula(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}

} // namespace

std::size_t buscaExata(std::string_view texto, std::string_view agulha, std::size_t inicio)
{
    if (inicio > texto.size())
        return npos;
    if (agulha.empty())
        return inicio;
    const void *achado = memmem(texto.data() + inicio, texto.size() - inicio, agulha.data(), agulha.size());
    return achado == nullptr ? npos
                             : static_cast<std::size_t>(static_cast<const char *>(achado) - texto.data());
}

std::size_t buscaSemCaixa(std::string_view texto, std::string_view agulha, std::size_t inicio)
{
    const std::size_t m = agulha.size();
    if (inicio > texto.size() || m > texto.size() - inicio)
        return npos;
    if (m == 0)
        return inicio;
    const auto *t = reinterpret_cast<const unsigned char *>(texto.data());
    const auto *a = reinterpret_cast<const unsigned char *>(agulha.data());

    // Horspool: the shift after a mismatch is read from the text character
    // under the needle's last position, in either case.
    if (m < 256) {
        std::array<std::uint8_t, 256> salto;
        salto.fill(static_cast<std::uint8_t>(m));
        for (std::size_t i = 0; i + 1 < m; ++i) {
            const auto distancia = static_cast<std::uint8_t>(m - 1 - i);
            salto[a[i]] = distancia;
            if (ehLetraMaiuscula(a[i]))
                salto[a[i] - 'A' + 'a'] = distancia;
        }
        const std::size_t n = texto.size();
        for (std::size_t pos = inicio; pos + m <= n; pos += salto[t[pos + m - 1]]) {
            std::size_t j = m - 1;
            while (maiuscula(t[pos + j]) == a[j]) {
                if (j == 0)
                    return pos;
                --j;
            }
        }
        return npos;
    }
    for (std::size_t pos = inicio; pos + m <= texto.size(); ++pos) {
        std::size_t j = 0;
        while (j < m && maiuscula(t[pos + j]) == a[j])
            ++j;
        if (j == m)
            return pos;
    }
    return npos;
}
