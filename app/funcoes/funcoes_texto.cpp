// Text and line functions of funcoes_kvl.h.

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

using Chars = std::vector<std::string_view>;

std::string join(const Chars &chars, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to && i < chars.size(); ++i)
        out += chars[i];
    return out;
}

// The characters from a 1-based position on, at most `count` of them; a
// position below 1 counts from the first character.
std::string copyChars(const Chars &chars, long position, long count)
{
    const long start = std::max(position, 1L) - 1;
    if (count <= 0 || start >= static_cast<long>(chars.size()))
        return {};
    const long end = std::min<long>(static_cast<long>(chars.size()), start + count);
    return join(chars, static_cast<std::size_t>(start), static_cast<std::size_t>(end));
}

constexpr long kToEnd = 1L << 30;

} // namespace

std::string CaractereNaPosicao(std::string_view texto, int posicao)
{
    const Chars chars = utf8Chars(texto);
    if (posicao < 1 || static_cast<std::size_t>(posicao) > chars.size())
        throw std::out_of_range("CaractereNaPosicao: posição fora do texto");
    return std::string(chars[static_cast<std::size_t>(posicao) - 1]);
}

std::string ZerosEsquerda(std::int64_t numero, int largura)
{
    if (largura <= 0)
        return {};
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, numero).ptr;
    const std::string text = std::string(static_cast<std::size_t>(largura), '0') + std::string(digits, end);
    return text.substr(text.size() - static_cast<std::size_t>(largura));
}

std::string Espacos(int n)
{
    return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string();
}

std::string RepeteTexto(std::string_view texto, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += texto;
    return out;
}

std::string CentralizaTexto(int primeiraColuna, int ultimaColuna, std::string_view texto)
{
    const long length = static_cast<long>(utf8Length(texto));
    const long spaces = std::labs((ultimaColuna - primeiraColuna) / 2 + primeiraColuna - length / 2);
    return std::string(static_cast<std::size_t>(spaces), ' ') + std::string(texto);
}

std::string AjustaTamanho(std::string_view texto, int largura, bool alinhadoEsquerda)
{
    if (largura <= 0)
        return {};
    const std::string padded =
        alinhadoEsquerda ? std::string(texto) + Espacos(largura) : Espacos(largura) + std::string(texto);
    const Chars chars = utf8Chars(padded);
    const std::size_t width = static_cast<std::size_t>(largura);
    return alinhadoEsquerda ? join(chars, 0, width) : join(chars, chars.size() - width, chars.size());
}

std::string TextoDepois(std::string_view texto, std::string_view caractere)
{
    const std::size_t at = caractere.empty() ? std::string_view::npos : texto.find(caractere);
    return at == std::string_view::npos ? std::string() : std::string(texto.substr(at + caractere.size()));
}

std::string TextoAntes(std::string_view texto, std::string_view caractere)
{
    const std::size_t at = caractere.empty() ? std::string_view::npos : texto.find(caractere);
    return std::string(texto.substr(0, at));
}

std::string InsereNaLinha(std::string_view texto, std::string_view linha, std::string_view alinhamento,
                          int coluna)
{
    const Chars line = utf8Chars(linha);
    const long length = static_cast<long>(utf8Length(texto));
    const std::string alignment = upperAscii(alinhamento);
    long start = 0;
    long resumeAt = 0;
    if (alignment == "E") {
        start = coluna;
        resumeAt = coluna + length;
    } else if (alignment == "D") {
        start = std::max(1L, coluna - length + 1);
        resumeAt = coluna + 1L;
    } else if (alignment == "C") {
        start = std::max(1L, coluna - std::lround(std::nearbyint(length / 2.0)) + 1);
        resumeAt = start + length;
    } else {
        return {};
    }
    return copyChars(line, 1, start - 1) + std::string(texto) + copyChars(line, resumeAt, kToEnd);
}

std::string BarraFinal(std::string_view texto)
{
    const bool linuxPath = texto.find('\\') == std::string_view::npos &&
                           texto.find('/') != std::string_view::npos &&
                           !(texto.size() >= 2 && texto[1] == ':');
    const char separator = linuxPath ? '/' : '\\';
    if (!texto.empty() && texto.back() == separator)
        return std::string(texto);
    return std::string(texto) + separator;
}

bool ClasseCombo(std::string_view nomeClasse)
{
    const std::string name = upperAscii(nomeClasse);
    return name == "TDBLOOKUPCOMBOBOX" || name == "TDBCOMBOBOX" || name == "TCOMBOBOX";
}

std::string NormalizaTexto(std::string_view texto)
{
    // clang-format off
    static constexpr std::u32string_view kKept = U" \"/%$,.-_!@#&*(){}[]<>;:?|~^+=";
    static constexpr struct { std::u32string_view from; char to; } kFolded[] = {
        {U"ÁÀÂÃáàâã", 'A'}, {U"ÉÊÈéêè", 'E'}, {U"ÍÎÌíîì", 'I'}, {U"ÓÒÔÕóòôõ", 'O'},
        {U"ÚÙÛúùû", 'U'},   {U"Çç", 'C'},     {U"ªº", 'o'},     {U"'", ' '},
    };
    // clang-format on
    std::string out;
    for (const std::string_view character : utf8Chars(texto)) {
        const char32_t c = utf8CharAt(character, 0).code;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            kKept.find(c) != std::u32string_view::npos) {
            out += static_cast<char>(c);
            continue;
        }
        for (const auto &fold : kFolded)
            if (fold.from.find(c) != std::u32string_view::npos)
                out += fold.to;
    }
    return out;
}

std::string TrocaCaractere(std::string_view texto, std::string_view caractere, std::string_view troca)
{
    return caractere.empty() ? std::string(texto) : replaceAll(texto, caractere, troca);
}

std::string RemoveCaractere(std::string_view texto, std::string_view caractere)
{
    return TrocaCaractere(texto, caractere, "");
}

std::string SomenteNumeros(std::string_view texto)
{
    std::string out;
    for (const char c : texto)
        if (c >= '0' && c <= '9')
            out += c;
    return out;
}

std::string BoolParaSimNao(bool valor)
{
    return valor ? "SIM" : "NAO";
}

bool SimNaoParaBool(std::string_view texto)
{
    const std::string upper = upperAscii(texto);
    return upper == "SIM" || upper == "T";
}

bool ContemTexto(std::string_view parte, std::string_view texto)
{
    if (texto.empty())
        return false;
    return upperAscii(texto).find(upperAscii(parte)) != std::string::npos;
}
