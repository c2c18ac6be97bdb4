#include "nfe/document/fuso_lido.h"

#include "foundation/dates/fuso_horario.h"

namespace {

bool digito(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string FusoDoTexto(std::string_view texto)
{
    constexpr std::size_t kDataHora = 19; // "YYYY-MM-DDThh:mm:ss"
    if (texto.size() != kDataHora + 6 || texto[10] != 'T')
        return {};
    const std::string_view fuso = texto.substr(kDataHora);
    if ((fuso[0] != '+' && fuso[0] != '-') || !digito(fuso[1]) || !digito(fuso[2]) || fuso[3] != ':' ||
        !digito(fuso[4]) || !digito(fuso[5]))
        return {};
    return std::string(fuso);
}

void TFusoLido::Le(TDateTime lido, std::string_view texto)
{
    valor = lido;
    fuso = FusoDoTexto(texto);
}

std::string TFusoLido::Para(TDateTime atual, std::string_view uf) const
{
    if (atual != 0 && atual == valor && !fuso.empty())
        return fuso;
    return FusoHorarioDaUF(uf, atual);
}
