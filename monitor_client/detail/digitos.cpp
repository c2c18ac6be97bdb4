#include "monitor_client/detail/digitos.h"

#include "app/funcoes/funcoes_kvl.h"

#include <charconv>

namespace monitor_detail {

int inteiroDosDigitos(std::string_view texto)
{
    const std::string digitos = SomenteNumeros(texto);
    int valor = 0;
    if (std::from_chars(digitos.data(), digitos.data() + digitos.size(), valor).ec != std::errc{})
        return 0;
    return valor;
}

std::string semZerosEsquerda(std::string_view digitos)
{
    const auto inicio = digitos.find_first_not_of('0');
    return inicio == std::string_view::npos ? std::string{} : std::string(digitos.substr(inicio));
}

} // namespace monitor_detail
