#include "foundation/xml/valor_campo.h"

#include <cmath>
#include <string_view>

#include "foundation/base/quib_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

std::string textoDaData(double value)
{
    if (!std::isfinite(value))
        return FloatParaTexto('.', "", value);
    if (timeOf(value) == 0.0)
        return DataFormatoBR(value);
    return DataHoraFormatoBR(value);
}

} // namespace

int casasDecimais(TTipoValorCampo tipo)
{
    switch (tipo) {
    case vcDecimal1:
        return 1;
    case vcDecimal2:
        return 2;
    case vcDecimal3:
        return 3;
    case vcDecimal4:
        return 4;
    case vcDecimal5:
        return 5;
    case vcDecimal6:
        return 6;
    case vcDecimal7:
        return 7;
    case vcDecimal8:
        return 8;
    case vcDecimal10:
        return 10;
    default:
        return 0;
    }
}

bool ehTipoDataHora(TTipoValorCampo tipo)
{
    switch (tipo) {
    case vcData:
    case vcDataHora:
    case vcHora:
    case vcDataCompacta:
    case vcHoraCompacta:
    case vcDataBR:
    case vcDataHoraCompacta:
        return true;
    default:
        return false;
    }
}

std::string textoDoValor(const TValorCampo &valor, bool comoData)
{
    return std::visit(
        Overloaded{
            [](std::monostate) { return std::string(); },
            [](const std::string &text) { return text; },
            [comoData](int value) { return comoData ? textoDaData(value) : std::to_string(value); },
            [comoData](std::int64_t value) {
                return comoData ? textoDaData(static_cast<double>(value)) : std::to_string(value);
            },
            [comoData](double value) {
                return comoData ? textoDaData(value) : FloatParaTexto('.', "", value);
            },
            [](Decimal value) { return value.toString(); },
            [](bool value) { return std::string(value ? "True" : "False"); },
        },
        valor);
}

bool numeroDoValor(const TValorCampo &valor, double &numero)
{
    return std::visit(Overloaded{
                          [](std::monostate) { return false; },
                          [&numero](const std::string &text) {
                              if (trimText(text).empty())
                                  return false;
                              try {
                                  numero = TextoParaFloat(text);
                                  return true;
                              } catch (const ConversionError &) {
                                  return false;
                              }
                          },
                          [&numero](int value) {
                              numero = value;
                              return true;
                          },
                          [&numero](std::int64_t value) {
                              numero = static_cast<double>(value);
                              return true;
                          },
                          [&numero](double value) {
                              numero = value;
                              return std::isfinite(value);
                          },
                          [&numero](Decimal value) {
                              numero = value.toDouble();
                              return true;
                          },
                          [](bool) { return false; },
                      },
                      valor);
}

TDateTime dataHoraDoValor(const TValorCampo &valor)
{
    double numero = 0;
    const bool isNumber = std::holds_alternative<int>(valor) || std::holds_alternative<std::int64_t>(valor) ||
                          std::holds_alternative<double>(valor) || std::holds_alternative<Decimal>(valor);
    if (!isNumber || !numeroDoValor(valor, numero))
        throw ConversionError("O valor \"" + textoDoValor(valor) + "\" não é uma data/hora");
    return numero;
}

bool logicoDoValor(const TValorCampo &valor)
{
    if (const bool *flag = std::get_if<bool>(&valor))
        return *flag;
    if (const int *value = std::get_if<int>(&valor))
        return *value != 0;
    if (const std::int64_t *value = std::get_if<std::int64_t>(&valor))
        return *value != 0;
    if (const std::string *text = std::get_if<std::string>(&valor)) {
        const std::string word = lowerAscii(trimText(*text));
        if (word == "true")
            return true;
        if (word == "false")
            return false;
    }
    throw ConversionError("O valor \"" + textoDoValor(valor) + "\" não é um valor lógico");
}
