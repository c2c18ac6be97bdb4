// Field conversions of the TXT reader.

#include <charconv>
#include <cmath>
#include <limits>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "nfe/document/detail/nfe_reader_txt_records.h"

namespace txt_reader {

namespace {

std::string_view semBrancosAEsquerda(std::string_view texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.front()) <= ' ')
        texto.remove_prefix(1);
    return texto;
}

// The characters from 1-based position `inicio`, at most `quantidade`.
std::string_view trecho(std::string_view texto, std::size_t inicio, std::size_t quantidade)
{
    const std::size_t de = utf8Offset(texto, inicio - 1);
    const std::string_view resto = texto.substr(de);
    return resto.substr(0, utf8Offset(resto, quantidade));
}

// A whole number made of ASCII digits only, at least one.
template <typename Inteiro> bool leDigitos(std::string_view texto, Inteiro &valor)
{
    if (texto.empty())
        return false;
    for (const char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return erro == std::errc() && fim == texto.data() + texto.size();
}

template <typename Inteiro> Inteiro inteiroDosDigitos(std::string_view tag, std::string_view valor)
{
    Inteiro resultado = 0;
    if (!leDigitos("0" + SomenteDigitos(valor), resultado))
        throw erroCampo(tag, valor);
    return resultado;
}

bool leParte(std::string_view texto, std::size_t inicio, std::size_t quantidade, int &valor)
{
    return leDigitos(trecho(texto, inicio, quantidade), valor);
}

TDateTime dataDoTexto(std::string_view tag, std::string_view valor, bool comHora)
{
    DateTimeParts partes;
    const bool lido =
        leParte(valor, 1, 4, partes.year) && leParte(valor, 6, 2, partes.month) &&
        leParte(valor, 9, 2, partes.day) &&
        (!comHora || (leParte(valor, 12, 2, partes.hour) && leParte(valor, 15, 2, partes.minute) &&
                      leParte(valor, 18, 2, partes.second)));
    TDateTime resultado = 0;
    if (!lido || !tryEncodeDateTime(partes, resultado))
        throw erroCampo(tag, valor);
    return resultado;
}

TDateTime horaDoTexto(std::string_view tag, std::string_view valor)
{
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    TDateTime resultado = 0;
    if (!leParte(valor, 1, 2, hora) || !leParte(valor, 4, 2, minuto) || !leParte(valor, 7, 2, segundo) ||
        !tryEncodeTime(hora, minuto, segundo, 0, resultado))
        throw erroCampo(tag, valor);
    return resultado;
}

double decimalDoTexto(std::string_view tag, std::string_view valor)
{
    // A "0" goes in front, so "1,5" reads as 1.5 and a sign is refused.
    try {
        const double numero = TextoParaFloat("0" + std::string(valor));
        if (std::isfinite(numero))
            return numero;
    } catch (const ConversionError &) {
    }
    throw erroCampo(tag, valor);
}

} // namespace

EQuibDFeException erroCampo(std::string_view tag, std::string_view valor)
{
    return EQuibDFeException("Erro ao ler o campo " + std::string(tag) +
                             ". Conteúdo inválido = " + std::string(valor));
}

TValorCampoTXT converteCampo(int tipo, std::string_view tag, std::string_view texto)
{
    const std::string_view valor = semBrancosAEsquerda(texto);
    const bool vazio = trimText(valor).empty();
    switch (tipo) {
    case kTexto:
        return DesfazEscapeXML(valor);
    case kInteiro:
        return inteiroDosDigitos<int>(tag, valor);
    case kData:
        return vazio ? 0.0 : dataDoTexto(tag, valor, false);
    case kDataHora:
        return vazio ? 0.0 : dataDoTexto(tag, valor, true);
    case kTextoBruto:
        return std::string(valor);
    case kDecimal:
    case 6:
    case 7:
    case 12:
        return decimalDoTexto(tag, valor);
    case kHora:
        return vazio ? 0.0 : horaDoTexto(tag, valor);
    case kInteiro64:
        return inteiroDosDigitos<std::int64_t>(tag, valor);
    default:
        throw erroCampo(tag, valor);
    }
}

std::string Registro::texto(std::string_view tag) const
{
    return std::get<std::string>(leitor_.LerCampoTipado(kTexto, tag));
}

std::string Registro::bruto(std::string_view tag) const
{
    return std::get<std::string>(leitor_.LerCampoTipado(kTextoBruto, tag));
}

int Registro::inteiro(std::string_view tag) const
{
    return std::get<int>(leitor_.LerCampoTipado(kInteiro, tag));
}

std::int64_t Registro::inteiro64(std::string_view tag) const
{
    return std::get<std::int64_t>(leitor_.LerCampoTipado(kInteiro64, tag));
}

double Registro::flutuante(std::string_view tag) const
{
    return std::get<double>(leitor_.LerCampoTipado(kDecimal, tag));
}

Decimal Registro::decimal(std::string_view tag) const
{
    const double numero = flutuante(tag);
    try {
        return Decimal::fromDouble(numero);
    } catch (const std::exception &) {
        throw erroCampo(tag, semBrancosAEsquerda(leitor_.TextoDoCampo(tag)));
    }
}

TDateTime Registro::data(std::string_view tag) const
{
    return std::get<double>(leitor_.LerCampoTipado(kData, tag));
}

TDateTime Registro::dataHora(std::string_view tag) const
{
    return std::get<double>(leitor_.LerCampoTipado(kDataHora, tag));
}

TDateTime Registro::dataHora(std::string_view tag, TFusoLido &fuso) const
{
    const TDateTime valor = dataHora(tag);
    fuso.Le(valor, trimText(leitor_.TextoDoCampo(tag)));
    return valor;
}

TDateTime Registro::hora(std::string_view tag) const
{
    return std::get<double>(leitor_.LerCampoTipado(kHora, tag));
}

int Registro::textoInteiro(std::string_view tag) const
{
    const std::string valor = texto(tag);
    std::string_view digitos = valor;
    const bool negativo = digitos.starts_with('-');
    if (negativo || digitos.starts_with('+'))
        digitos.remove_prefix(1);
    std::int64_t numero = 0;
    if (!leDigitos(digitos, numero) || numero > std::numeric_limits<int>::max())
        throw erroCampo(tag, valor);
    return static_cast<int>(negativo ? -numero : numero);
}

EQuibDFeException Registro::registroForaDeOrdem(std::string_view registroAnterior) const
{
    return EQuibDFeException("Erro ao ler o registro " + leitor_.ID() + " (linha " + std::to_string(linha_) +
                             "): falta o registro " + std::string(registroAnterior) + " antes dele");
}

} // namespace txt_reader
