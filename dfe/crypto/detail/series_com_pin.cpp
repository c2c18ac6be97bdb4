#include "dfe/crypto/detail/series_com_pin.h"

#include <mutex>

namespace SeriesComPIN {

namespace {

struct Series {
    std::mutex lock;
    std::string texto;
};

Series &series()
{
    static Series instancia;
    return instancia;
}

std::string item(std::string_view numeroSerie)
{
    return std::string(numeroSerie) + ",";
}

// Position of the serial as a whole item of the text; npos when absent.
size_t posicao(const std::string &texto, std::string_view numeroSerie)
{
    const std::string procurado = item(numeroSerie);
    for (size_t i = texto.find(procurado); i != std::string::npos; i = texto.find(procurado, i + 1))
        if (i == 0 || texto[i - 1] == ',')
            return i;
    return std::string::npos;
}

} // namespace

bool contem(std::string_view numeroSerie)
{
    std::lock_guard guard(series().lock);
    return posicao(series().texto, numeroSerie) != std::string::npos;
}

void adicionar(std::string_view numeroSerie)
{
    std::lock_guard guard(series().lock);
    if (posicao(series().texto, numeroSerie) == std::string::npos)
        series().texto += item(numeroSerie);
}

void remover(std::string_view numeroSerie)
{
    std::lock_guard guard(series().lock);
    const size_t i = posicao(series().texto, numeroSerie);
    if (i != std::string::npos)
        series().texto.erase(i, numeroSerie.size() + 1);
}

std::string texto()
{
    std::lock_guard guard(series().lock);
    return series().texto;
}

} // namespace SeriesComPIN
