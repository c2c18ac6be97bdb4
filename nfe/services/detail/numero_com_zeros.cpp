#include "nfe/services/detail/numero_com_zeros.h"

#include "foundation/text/text_utils.h"

namespace nfe_services {

std::string numeroComZeros(std::string_view texto, int digitos)
{
    std::string_view numero = trimText(texto);
    const bool soDigitos =
        !numero.empty() && numero.find_first_not_of("0123456789") == std::string_view::npos;
    if (!soDigitos)
        numero = {};
    while (!numero.empty() && numero.front() == '0')
        numero.remove_prefix(1);
    const std::size_t largura = static_cast<std::size_t>(digitos);
    std::string resultado(numero.size() < largura ? largura - numero.size() : 0, '0');
    return resultado.append(numero);
}

} // namespace nfe_services
