#include "nfe/document/detail/nfe_reader_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/valor_campo.h"

namespace nfe_reader {

std::string CamposNFe::texto(std::string_view tag) const
{
    return DesfazEscapeXML(leitor_.ConteudoDoCampo(tag));
}

std::string CamposNFe::digitos(std::string_view tag) const
{
    return std::string(leitor_.ConteudoDoCampo(tag));
}

namespace {

ConversionError numeroInvalido(std::string_view tag, std::string_view conteudo)
{
    return ConversionError("Tag <" + std::string(tag) + "> com número inválido: " + std::string(conteudo));
}

ConversionError foraDosLimites(std::string_view tag, std::string_view conteudo)
{
    return ConversionError("Tag <" + std::string(tag) +
                           "> com valor fora dos limites: " + std::string(conteudo));
}

bool soDigitos(std::string_view texto)
{
    if (texto.empty())
        return false;
    for (const char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "[+-]digits[(.|,)digits]": one number, no thousands separator.
bool numeroDecimal(std::string_view texto)
{
    if (!texto.empty() && (texto.front() == '-' || texto.front() == '+'))
        texto.remove_prefix(1);
    const std::size_t separador = texto.find_first_of(".,");
    if (separador == std::string_view::npos)
        return soDigitos(texto);
    return soDigitos(texto.substr(0, separador)) && soDigitos(texto.substr(separador + 1));
}

} // namespace

int CamposNFe::inteiro(std::string_view tag) const
{
    const std::string_view conteudo = leitor_.ConteudoDoCampo(tag);
    if (conteudo.empty())
        return 0;
    if (!soDigitos(conteudo))
        throw numeroInvalido(tag, conteudo);
    int valor = 0;
    const auto [fim, erro] = std::from_chars(conteudo.data(), conteudo.data() + conteudo.size(), valor);
    if (erro != std::errc() || fim != conteudo.data() + conteudo.size())
        throw foraDosLimites(tag, conteudo);
    return valor;
}

std::string CamposNFe::inteiroComoTexto(std::string_view tag) const
{
    return std::to_string(inteiro(tag));
}

TDateTime CamposNFe::data(std::string_view tag) const
{
    return std::get<double>(leitor_.LeCampo(vcData, tag));
}

TDateTime CamposNFe::dataHora(std::string_view tag) const
{
    return std::get<double>(leitor_.LeCampo(vcDataHora, tag));
}

TDateTime CamposNFe::dataHora(std::string_view tag, TFusoLido &fuso) const
{
    const TDateTime valor = dataHora(tag);
    fuso.Le(valor, digitos(tag));
    return valor;
}

TDateTime CamposNFe::hora(std::string_view tag) const
{
    return std::get<double>(leitor_.LeCampo(vcHora, tag));
}

// The content of a decimal kind, checked: empty when absent; malformed
// contents raise ConversionError naming the tag.
std::string_view CamposNFe::numero(std::string_view tag) const
{
    const std::string_view conteudo = leitor_.ConteudoDoCampo(tag);
    if (!conteudo.empty() && (leitor_.FloatIsIntString ? !soDigitos(conteudo) : !numeroDecimal(conteudo)))
        throw numeroInvalido(tag, conteudo);
    return conteudo;
}

double CamposNFe::real(TTipoValorCampo tipo, std::string_view tag) const
{
    const std::string_view conteudo = numero(tag);
    if (conteudo.empty())
        return 0;
    if (leitor_.FloatIsIntString)
        return InteiroImplicitoParaFloat(conteudo, casasDecimais(tipo));
    const double valor = TextoParaFloat(conteudo);
    if (!std::isfinite(valor))
        throw foraDosLimites(tag, conteudo);
    return valor;
}

Decimal CamposNFe::decimal(TTipoValorCampo tipo, std::string_view tag) const
{
    if (leitor_.FloatIsIntString) {
        const double valor = real(tipo, tag);
        try {
            return Decimal::fromDouble(valor);
        } catch (const std::overflow_error &) {
        } catch (const std::domain_error &) {
        }
        throw foraDosLimites(tag, textoDoValor(TValorCampo(valor)));
    }
    const std::string_view conteudo = numero(tag);
    if (conteudo.empty())
        return Decimal(); // absent fields: most of a note's
    // Read exactly, with "." for a "," decimal separator.
    std::optional<Decimal> valor;
    if (conteudo.find(',') == std::string_view::npos) {
        valor = Decimal::parse(conteudo);
    } else {
        std::string comPonto(conteudo);
        std::replace(comPonto.begin(), comPonto.end(), ',', '.');
        valor = Decimal::parse(comPonto);
    }
    if (!valor)
        throw foraDosLimites(tag, conteudo);
    return *valor;
}

std::string CamposNFe::cnpjCpf() const
{
    return leitor_.LeCNPJouCPF();
}

std::string CamposNFe::atributo(std::string_view nome, std::string_view tag) const
{
    return leitor_.LeAtributo(nome, tag);
}

int inteiroObrigatorio(std::string_view texto, std::string_view campo)
{
    std::string_view numero = trimText(texto);
    if (numero.size() > 1 && numero.front() == '+' && numero[1] >= '0' && numero[1] <= '9')
        numero.remove_prefix(1);
    int valor = 0;
    const auto [fim, erro] = std::from_chars(numero.data(), numero.data() + numero.size(), valor);
    if (numero.empty() || erro != std::errc() || fim != numero.data() + numero.size())
        throw ConversionError("\"" + std::string(texto) + "\" não é um número inteiro válido em " +
                              std::string(campo));
    return valor;
}

} // namespace nfe_reader
