#include "nfe/services/detail/campos_resposta.h"

#include <optional>

#include "foundation/base/quib_exception.h"

namespace nfe_services {

std::string CamposResposta::texto(std::string_view tag) const
{
    return std::get<std::string>(leitor_.LeCampo(vcTexto, tag));
}

int CamposResposta::inteiro(std::string_view tag) const
{
    return std::get<int>(leitor_.LeCampo(vcInteiro, tag));
}

TDateTime CamposResposta::data(std::string_view tag) const
{
    return dataHoraDoValor(leitor_.LeCampo(vcData, tag));
}

TDateTime CamposResposta::dataHora(std::string_view tag) const
{
    return dataHoraDoValor(leitor_.LeCampo(vcDataHora, tag));
}

Decimal CamposResposta::decimal(std::string_view tag) const
{
    const std::string_view conteudo = leitor_.ConteudoDoCampo(tag);
    if (conteudo.empty())
        return Decimal();
    const std::optional<Decimal> valor = Decimal::parse(conteudo);
    if (!valor)
        throw ConversionError("Tag <" + std::string(tag) + "> com número inválido: " + std::string(conteudo));
    return *valor;
}

} // namespace nfe_services
