// Texts of the layouts: ISO date-times, fixed-width numbers, free text made
// fit for XML and XML escapes undone, list and position searches.

#include <charconv>
#include <cstdint>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

// The Unicode code point written by the hexadecimal digits of a character
// reference ("41" for "&#x41;"); false when the digits do not spell one
// (empty, not hexadecimal, a surrogate, NUL or beyond U+10FFFF).
bool codePointDaReferencia(std::string_view hex, char32_t &codigo)
{
    if (hex.empty() || !SoHexadecimal(hex))
        return false;
    std::uint32_t valor = 0;
    const auto [fim, erro] = std::from_chars(hex.data(), hex.data() + hex.size(), valor, 16);
    if (erro != std::errc() || valor == 0 || valor > 0x10FFFF || (valor >= 0xD800 && valor <= 0xDFFF))
        return false;
    codigo = static_cast<char32_t>(valor);
    return true;
}

// Replaces, one after the other, the first "&#x" reference of the text (up
// to its ";" or the end of the text) and every other occurrence of exactly
// the same reference, until none is left.
std::string decodificaReferenciasHex(std::string texto)
{
    static constexpr std::string_view kInicio = "&#x";
    for (std::size_t pos = texto.find(kInicio); pos != std::string::npos; pos = texto.find(kInicio)) {
        const std::size_t fim = texto.find(';', pos + kInicio.size());
        const std::size_t tamanho = fim == std::string::npos ? texto.size() - pos : fim + 1 - pos;
        const std::string referencia = texto.substr(pos, tamanho);
        const std::size_t tamanhoHex =
            referencia.size() - kInicio.size() - (fim == std::string::npos ? 0 : 1);
        const std::string_view hex = std::string_view(referencia).substr(kInicio.size(), tamanhoHex);

        char32_t codigo = 0;
        const std::string substituto =
            codePointDaReferencia(hex, codigo) ? utf8Encode(codigo) : std::string(hex);
        texto = replaceAll(texto, referencia, substituto);
    }
    return texto;
}

} // namespace

std::string FormataDataHoraISO(TDateTime valor)
{
    const DateTimeParts p = decodeDateTime(valor);
    return InteiroComZeros(p.year, 4) + "-" + InteiroComZeros(p.month, 2) + "-" + InteiroComZeros(p.day, 2) +
           "T" + InteiroComZeros(p.hour, 2) + ":" + InteiroComZeros(p.minute, 2) + ":" +
           InteiroComZeros(p.second, 2);
}

std::string InteiroEmNDigitos(std::int64_t numero, int n)
{
    if (n <= 0)
        return {};
    const std::string texto = std::string(static_cast<std::size_t>(n), '0') + std::to_string(numero);
    return texto.substr(texto.size() - static_cast<std::size_t>(n));
}

std::string LimpaTextoXML(bool retirarEspacos, std::string_view texto, bool retirarAcentos,
                          bool trocarQuebraLinha, std::string_view quebraLinha)
{
    std::string resultado = retirarAcentos ? RemoveAcentos(texto) : std::string(texto);
    resultado = ConverteEntidades(resultado, false, true);
    if (retirarEspacos) {
        while (resultado.find("  ") != std::string::npos)
            resultado = replaceAll(resultado, "  ", " ");
    }
    if (trocarQuebraLinha)
        resultado = NormalizaQuebras(resultado, quebraLinha);
    return std::string(trimText(resultado));
}

std::string DesfazEscapeXML(std::string_view texto)
{
    static constexpr std::string_view kAbreCDATA = "<![CDATA[";
    static constexpr std::string_view kFechaCDATA = "]]>";

    std::string resultado(texto);
    if (const std::size_t abre = resultado.find(kAbreCDATA); abre != std::string::npos) {
        resultado.erase(abre, kAbreCDATA.size());
        if (const std::size_t fecha = resultado.find(kFechaCDATA); fecha != std::string::npos)
            resultado.erase(fecha, kFechaCDATA.size());
        return std::string(trimText(resultado));
    }

    resultado = replaceAll(resultado, "&amp;", "&");
    resultado = replaceAll(resultado, "&lt;", "<");
    resultado = replaceAll(resultado, "&gt;", ">");
    resultado = replaceAll(resultado, "&quot;", "\"");
    resultado = replaceAll(resultado, "&#39;", "'");
    resultado = decodificaReferenciasHex(std::move(resultado));
    return std::string(trimText(resultado));
}

bool ComecaComItemDaLista(std::string_view texto, std::string_view lista)
{
    const std::string alvo = "|" + std::string(texto);
    std::size_t abre = lista.find('|');
    while (abre != std::string_view::npos) {
        const std::size_t fecha = lista.find('|', abre + 1);
        if (fecha == std::string_view::npos)
            break; // an item not closed by "|" does not count
        const std::string_view item = lista.substr(abre, fecha - abre); // "|" + item
        if (item.size() > 1 && alvo.find(item) != std::string::npos)
            return true;
        abre = fecha;
    }
    return false;
}

int PosicaoAPartirDe(std::string_view subTexto, std::string_view texto, int inicio)
{
    if (subTexto.empty())
        return 0;
    const std::size_t desde = utf8Offset(texto, static_cast<std::size_t>(inicio < 1 ? 0 : inicio - 1));
    const std::size_t achado = texto.find(subTexto, desde);
    if (achado == std::string_view::npos)
        return 0;
    return static_cast<int>(utf8IndexOfOffset(texto, achado)) + 1;
}
