// Texts of the layouts: ISO date-times, fixed-width numbers, free text made
// fit for XML and XML escapes undone, list and position searches.

#include <array>
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

constexpr std::string_view kInicioReferencia = "&#x";

// Where the digits of a reference start when the end of `saida` (just grown by
// a decoded character) and the rest of the text from `pos` together spell
// "&#x"; the part held in `saida` is removed. npos when they do not.
std::size_t referenciaFormada(std::string &saida, std::string_view texto, std::size_t pos)
{
    for (std::size_t naSaida = kInicioReferencia.size(); naSaida >= 1; --naSaida) {
        const std::string_view parte = kInicioReferencia.substr(0, naSaida);
        const std::string_view resto = kInicioReferencia.substr(naSaida);
        if (saida.ends_with(parte) && texto.substr(pos).starts_with(resto)) {
            saida.resize(saida.size() - naSaida);
            return pos + resto.size();
        }
    }
    return std::string_view::npos;
}

// Every "&#x" reference (up to its ";", or to the end of the text when there
// is none) becomes the UTF-8 of its code point; a reference that spells none
// leaves its digits in place. One pass over the text: a decoded "&", "#" or
// "x" that forms a new reference with its neighbours is decoded again, as
// repeating the search from the start would do.
std::string decodificaReferenciasHex(std::string_view texto)
{
    std::size_t pos = texto.find(kInicioReferencia);
    if (pos == std::string_view::npos)
        return std::string(texto);
    std::string saida;
    saida.reserve(texto.size());
    saida.append(texto.substr(0, pos));
    while (pos != std::string_view::npos) {
        std::size_t digitos = pos + kInicioReferencia.size();
        while (digitos != std::string_view::npos) {
            const std::size_t fim = texto.find(';', digitos);
            const std::size_t fimDigitos = fim == std::string_view::npos ? texto.size() : fim;
            const std::string_view hex = texto.substr(digitos, fimDigitos - digitos);
            pos = fim == std::string_view::npos ? texto.size() : fim + 1;
            char32_t codigo = 0;
            if (!codePointDaReferencia(hex, codigo)) {
                saida.append(hex);
                break;
            }
            saida += utf8Encode(codigo);
            digitos = codigo == U'&' || codigo == U'#' || codigo == U'x'
                          ? referenciaFormada(saida, texto, pos)
                          : std::string_view::npos;
        }
        const std::size_t proxima = texto.find(kInicioReferencia, pos);
        saida.append(
            texto.substr(pos, proxima == std::string_view::npos ? std::string_view::npos : proxima - pos));
        pos = proxima;
    }
    return saida;
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

bool TextoXMLSoApara(std::string_view texto, bool retirarEspacos)
{
    // Every field value of every document passes here: one table look-up per
    // character instead of a chain of comparisons.
    static constexpr auto kPedeLimpeza = [] {
        std::array<bool, 256> tabela{};
        for (int c = 0; c < 256; ++c)
            tabela[static_cast<std::size_t>(c)] = c < ' ' || c > '~';
        for (const char c : std::string_view("&<>\"'"))
            tabela[static_cast<unsigned char>(c)] = true;
        return tabela;
    }();
    char anterior = '\0';
    for (const char c : texto) {
        if (kPedeLimpeza[static_cast<unsigned char>(c)] || (retirarEspacos && c == ' ' && anterior == ' '))
            return false;
        anterior = c;
    }
    return true;
}

std::string LimpaTextoXML(bool retirarEspacos, std::string_view texto, bool retirarAcentos,
                          bool trocarQuebraLinha, std::string_view quebraLinha)
{
    if (TextoXMLSoApara(texto, retirarEspacos))
        return std::string(trimText(texto));
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

    // Most values hold neither an escape nor a CDATA section.
    if (texto.find_first_of("&<") == std::string_view::npos)
        return std::string(trimText(texto));

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
    resultado = decodificaReferenciasHex(resultado);
    return std::string(trimText(resultado));
}

bool ComecaComItemDaLista(std::string_view texto, std::string_view lista)
{
    // "|" + item occurs in "|" + texto: texto begins with the item, or holds
    // "|" + item. Tag texts (every group the writer opens) seldom hold a "|":
    // then only the beginning can match.
    const bool temBarra = texto.find('|') != std::string_view::npos;
    std::size_t abre = lista.find('|');
    while (abre != std::string_view::npos) {
        const std::size_t fecha = lista.find('|', abre + 1);
        if (fecha == std::string_view::npos)
            break; // an item not closed by "|" does not count
        const std::string_view item = lista.substr(abre, fecha - abre); // "|" + item
        const bool mesmoInicio = !texto.empty() && item.size() > 1 && texto.front() == item[1];
        if (item.size() > 1 && ((mesmoInicio && texto.starts_with(item.substr(1))) ||
                                (temBarra && texto.find(item) != std::string_view::npos)))
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
