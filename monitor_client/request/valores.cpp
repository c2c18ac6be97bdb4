// The request document's line prefix, value formats and text cleaner.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/formatos_processo.h"
#include "foundation/base/quib_exception.h"
#include "foundation/text/utf8.h"

#include <charconv>
#include <system_error>

namespace {

std::string_view semEspacos(std::string_view texto)
{
    while (!texto.empty() && texto.front() == ' ')
        texto.remove_prefix(1);
    while (!texto.empty() && texto.back() == ' ')
        texto.remove_suffix(1);
    return texto;
}

// The two rightmost digits of "0" and the text's digits.
std::string doisDigitos(std::string_view texto)
{
    const std::string digitos = "0" + SomenteNumeros(texto);
    return digitos.size() == 1 ? "00" : digitos.substr(digitos.size() - 2);
}

// The digits (no leading zeros, at least "0") rounded from `casasOrigem`
// to `casasDestino` decimals, halves away from zero, written with "." and
// the decimals.
std::string escalaDecimal(std::string digitos, std::size_t casasOrigem, std::size_t casasDestino)
{
    if (casasOrigem <= casasDestino) {
        digitos.append(casasDestino - casasOrigem, '0');
    } else {
        const std::size_t cortados = casasOrigem - casasDestino;
        const char primeiroCortado = digitos.size() >= cortados ? digitos[digitos.size() - cortados] : '0';
        digitos = digitos.size() > cortados ? digitos.substr(0, digitos.size() - cortados) : "0";
        if (primeiroCortado >= '5') {
            std::size_t i = digitos.size();
            while (i > 0 && digitos[i - 1] == '9')
                digitos[--i] = '0';
            if (i == 0)
                digitos.insert(digitos.begin(), '1');
            else
                ++digitos[i - 1];
        }
    }
    if (digitos.size() <= casasDestino)
        digitos.insert(0, casasDestino + 1 - digitos.size(), '0');
    if (casasDestino == 0)
        return digitos;
    return digitos.substr(0, digitos.size() - casasDestino) + "." +
           digitos.substr(digitos.size() - casasDestino);
}

} // namespace

std::string TfrmNFE_2G::Sp(int indent, std::string_view chave)
{
    std::string linha = Espacos(indent);
    if (chave.empty())
        return linha;
    linha += chave;
    const auto largura = utf8Length(chave);
    if (largura < 15)
        linha.append(15 - largura, ' ');
    return linha + " = ";
}

std::string TfrmNFE_2G::AjData(TDateTime data)
{
    const auto partes = decodeDateTime(data);
    return ZerosEsquerda(partes.year, 4) + "-" + ZerosEsquerda(partes.month, 2) + "-" +
           ZerosEsquerda(partes.day, 2);
}

std::string TfrmNFE_2G::AjHora(std::string_view hora)
{
    const std::string horas = TextoAntes(hora, ":");
    const std::string minutos = TextoAntes(TextoDepois(hora, ":"), ":");
    return doisDigitos(horas) + ":" + doisDigitos(minutos) + ":00";
}

std::string TfrmNFE_2G::FtDc(std::string_view valor, std::string_view casas)
{
    valor = semEspacos(valor);
    std::size_t casasOrigem = 0;
    if (const auto ponto = valor.find_last_of(".,"); ponto != std::string_view::npos)
        casasOrigem = utf8Length(valor.substr(ponto + 1));
    std::string digitos = SomenteNumeros(valor);
    const auto primeiro = digitos.find_first_not_of('0');
    digitos = primeiro == std::string::npos ? "0" : digitos.substr(primeiro);
    return escalaDecimal(digitos, casasOrigem, casas.size());
}

double TfrmNFE_2G::valorReal(std::string_view valor, std::string_view campo)
{
    const std::string texto = "0" + RemoveCaractere(semEspacos(valor), ",");
    double numero = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    if (erro != std::errc() || fim != texto.data() + texto.size())
        throw ConversionError("'" + std::string(valor) + "' não é um número válido" +
                              (campo.empty() ? std::string() : " (" + std::string(campo) + ")"));
    return numero;
}

std::string TfrmNFE_2G::ChrEsp(std::string_view texto)
{
    std::string limpo = NormalizaTexto(TrocaCaractere(texto, "\"", " "));
    for (const char *caractere : {"\r", "\n", "&", "*", "<", ">", "?", "^", "~", "§", "º", "ª", "@"})
        limpo = RemoveCaractere(limpo, caractere);
    return TrocaCaractere(limpo, "\\", "/");
}

std::string TfrmNFE_2G::BuscaSerieNota(std::string_view texto)
{
    return SomenteNumeros(texto);
}

TDateTime TfrmNFE_2G::dataDoCampo(std::string_view texto, std::string_view campo)
{
    TDateTime data = 0;
    if (!tryTextoParaData(semEspacos(texto), data))
        throw ConversionError("'" + std::string(texto) + "' não é uma data válida (" + std::string(campo) +
                              ")");
    return data;
}

int TfrmNFE_2G::inteiroDoCampo(std::string_view texto, std::string_view campo)
{
    const std::string_view limpo = semEspacos(texto);
    int numero = 0;
    const auto [fim, erro] = std::from_chars(limpo.data(), limpo.data() + limpo.size(), numero);
    if (limpo.empty() || erro != std::errc() || fim != limpo.data() + limpo.size())
        throw ConversionError("'" + std::string(texto) + "' não é um valor inteiro válido (" +
                              std::string(campo) + ")");
    return numero;
}

std::string TfrmNFE_2G::textoReal(double valor)
{
    char texto[400];
    const auto fim = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::fixed).ptr;
    return std::string(texto, fim);
}
