// TLeitor::LeCampo: a field's content converted by its kind.
#include <charconv>
#include <cstdint>
#include <optional>

#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/leitor.h"

namespace {

template <typename Int> std::optional<Int> leNumero(std::string_view texto)
{
    Int valor{};
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        return std::nullopt;
    return valor;
}

// The integer made by the digits of the content; 0 when there are none or
// they do not fit.
template <typename Int> Int inteiroDosDigitos(std::string_view conteudo)
{
    return leNumero<Int>(SomenteDigitos(conteudo)).value_or(0);
}

// Characters `posicao` (from 1) to `posicao + tamanho - 1` of the content, read
// as a number; raises ConversionError when they are not one.
int parte(std::string_view conteudo, std::size_t posicao, std::size_t tamanho)
{
    const std::string_view trecho =
        posicao - 1 < conteudo.size() ? conteudo.substr(posicao - 1, tamanho) : std::string_view();
    const std::optional<int> numero = leNumero<int>(trimText(trecho));
    if (!numero)
        throw ConversionError("\"" + std::string(trecho) + "\" não é um número válido em \"" +
                              std::string(conteudo) + "\"");
    return *numero;
}

int parteOuZero(std::string_view conteudo, std::size_t posicao, std::size_t tamanho)
{
    try {
        return parte(conteudo, posicao, tamanho);
    } catch (const ConversionError &) {
        return 0;
    }
}

TDateTime dataHora(std::string_view conteudo, int ano, int mes, int dia, int hora, int minuto, int segundo)
{
    TDateTime resultado = 0;
    if (!tryEncodeDateTime(DateTimeParts{ano, mes, dia, hora, minuto, segundo, 0}, resultado))
        throw ConversionError("\"" + std::string(conteudo) + "\" não é uma data/hora válida");
    return resultado;
}

TDateTime hora(std::string_view conteudo, int horas, int minutos, int segundos)
{
    TDateTime resultado = 0;
    if (!tryEncodeTime(horas, minutos, segundos, 0, resultado))
        throw ConversionError("\"" + std::string(conteudo) + "\" não é uma hora válida");
    return resultado;
}

TDateTime leDataHora(std::string_view c)
{
    if (c.find('/') != std::string_view::npos) {
        // DD/MM/YYYY hh:nn:ss, DD/MM/YYYYThh:nn:ss or DD/MM/YYYYhh:nn:ss
        const bool separado = c.size() >= 11 && (c[10] == 'T' || c[10] == ' ');
        const std::size_t h = separado ? 12 : 11;
        return dataHora(c, parte(c, 7, 4), parte(c, 4, 2), parte(c, 1, 2), parte(c, h, 2), parte(c, h + 3, 2),
                        parteOuZero(c, h + 6, 2));
    }
    // YYYY-MM-DDThh:nn:ss, anything after the seconds (a UTC offset) ignored
    return dataHora(c, parte(c, 1, 4), parte(c, 6, 2), parte(c, 9, 2), parte(c, 12, 2), parte(c, 15, 2),
                    parteOuZero(c, 18, 2));
}

} // namespace

TValorCampo TLeitor::LeCampo(TTipoValorCampo Tipo, std::string_view TAG, std::string_view TagLimite) const
{
    const std::string_view c = ConteudoDoCampo(TAG, TagLimite);
    switch (Tipo) {
    case vcTexto:
        return DesfazEscapeXML(c);
    case vcDigitos:
    case vcTextoBruto:
    case vcNumeroZeros:
        return std::string(c);
    case vcLogico: {
        const std::string palavra = lowerAscii(c);
        return palavra == "true" || palavra == "1";
    }
    case vcInteiro:
        return inteiroDosDigitos<std::int32_t>(c);
    case vcInteiro64:
        return inteiroDosDigitos<std::int64_t>(c);
    default:
        break;
    }

    if (casasDecimais(Tipo) > 0) {
        if (!FloatIsIntString)
            return TextoParaFloatOuPadrao(c, 0);
        return c.empty() ? 0.0 : InteiroImplicitoParaFloat(c, casasDecimais(Tipo));
    }
    if (!ehTipoDataHora(Tipo))
        throw EQuibException("Tag <" + upperAscii(trimText(TAG)) + "> com conteúdo inválido. " +
                             std::string(c));
    if (c.empty())
        return TDateTime{0};

    switch (Tipo) {
    case vcData:
        return dataHora(c, parte(c, 1, 4), parte(c, 6, 2), parte(c, 9, 2), 0, 0, 0);
    case vcDataHora:
        return leDataHora(c);
    case vcHora:
        return hora(c, parte(c, 1, 2), parte(c, 4, 2), parte(c, 7, 2));
    case vcDataCompacta:
        return dataHora(c, parte(c, 1, 4), parte(c, 5, 2), parte(c, 7, 2), 0, 0, 0);
    case vcHoraCompacta:
        return hora(c, parte(c, 1, 2), parte(c, 3, 2), parte(c, 5, 2));
    case vcDataBR:
        return dataHora(c, parte(c, 7, 4), parte(c, 4, 2), parte(c, 1, 2), 0, 0, 0);
    default: // vcDataHoraCompacta
        return dataHora(c, parte(c, 1, 4), parte(c, 5, 2), parte(c, 7, 2), parte(c, 9, 2), parte(c, 11, 2),
                        parte(c, 13, 2));
    }
}
