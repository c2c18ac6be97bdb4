#include "app/config_nfe/listas_referencia.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

// clang-format off
constexpr struct { int codigo; const char *sigla; } kEstados[] = {
    {11, "RO"}, {12, "AC"}, {13, "AM"}, {14, "RR"}, {15, "PA"}, {16, "AP"}, {17, "TO"},
    {21, "MA"}, {22, "PI"}, {23, "CE"}, {24, "RN"}, {25, "PB"}, {26, "PE"}, {27, "AL"},
    {28, "SE"}, {29, "BA"}, {31, "MG"}, {32, "ES"}, {33, "RJ"}, {35, "SP"}, {41, "PR"},
    {42, "SC"}, {43, "RS"}, {50, "MS"}, {51, "MT"}, {52, "GO"}, {53, "DF"},
};
// clang-format on

// "0" + the text read as a whole number, as the suite reads its codes.
int inteiroDoCampo(std::string_view campo, std::string_view arquivo, std::size_t linha)
{
    const std::string texto = "0" + std::string(campo);
    int valor = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (erro != std::errc() || fim != texto.data() + texto.size())
        throw ConversionError(std::string(arquivo) + ", linha " + std::to_string(linha) + ": '" +
                              std::string(campo) + "' não é um número inteiro válido");
    return valor;
}

// The text before the first separator, and the rest after it.
std::string corta(std::string &resto, char separador)
{
    const auto pos = resto.find(separador);
    std::string campo = resto.substr(0, pos);
    resto = pos == std::string::npos ? std::string() : resto.substr(pos + 1);
    return campo;
}

std::string nomeMaiusculoSemAcento(std::string_view nome)
{
    return NormalizaTexto(upperWithAccents(nome));
}

std::string nomeDoArquivo(const std::string &arquivo)
{
    return std::filesystem::path(arquivo).filename().string();
}

} // namespace

std::string BuscaEstado(int codigo, std::string_view sigla)
{
    for (const auto &e : kEstados) {
        if (codigo > 0 && e.codigo == codigo)
            return e.sigla;
        if (codigo <= 0 && sigla == e.sigla)
            return std::to_string(e.codigo);
    }
    return codigo > 0 ? "" : "0";
}

bool CodigoEstadoValido(int codigo)
{
    return codigo > 0 && !BuscaEstado(codigo, "").empty();
}

std::string Modulo11NFE(std::string_view digitos)
{
    int soma = 0;
    int peso = 2;
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        if (*it < '0' || *it > '9')
            continue;
        soma += (*it - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    const int resto = soma % 11;
    return std::to_string(resto < 2 ? 0 : 11 - resto);
}

std::optional<std::string> localizaArquivo(const std::string &pasta, std::string_view nome)
{
    std::error_code erro;
    if (std::filesystem::is_regular_file(pasta + std::string(nome), erro))
        return pasta + std::string(nome);
    const std::string procurado = upperAscii(nome);
    for (std::filesystem::directory_iterator it(pasta, erro), fim; !erro && it != fim; it.increment(erro))
        if (upperAscii(it->path().filename().string()) == procurado && it->is_regular_file(erro))
            return it->path().string();
    return std::nullopt;
}

std::vector<std::string> leLinhasReferencia(const std::string &arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada)
        throw ProgramError("Não foi possível abrir o arquivo \"" + arquivo + "\"");
    const std::string conteudo{std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
    std::vector<std::string> linhas = splitLines(conteudo);
    for (auto &linha : linhas)
        linha = AnsiParaUTF8(linha);
    return linhas;
}

void carregaEstadosCidades(const std::string &arquivo, ListaReferencia<EstadoIBGE> &estados,
                           ListaReferencia<CidadeIBGE> &cidades)
{
    const std::string nome = nomeDoArquivo(arquivo);
    const auto linhas = leLinhasReferencia(arquivo);
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        std::string resto = linhas[i];
        std::string campos[4];
        for (auto &campo : campos)
            campo = corta(resto, ';');
        const int estado = inteiroDoCampo(campos[0], nome, i + 1);
        const int municipio = inteiroDoCampo(campos[2], nome, i + 1);
        cidades.acrescenta({estado, nomeMaiusculoSemAcento(campos[3]), municipio, BuscaEstado(estado, "")});
        if (!estados.localiza([&](const EstadoIBGE &e) { return e.Estado == estado; }))
            estados.acrescenta({estado, campos[1], BuscaEstado(estado, "")});
    }
}

void carregaPaises(const std::string &arquivo, ListaReferencia<PaisIBGE> &paises)
{
    for (const auto &linha : leLinhasReferencia(arquivo)) {
        std::string resto = linha;
        const std::string codigo = SomenteNumeros(corta(resto, '\t'));
        const std::string nome = corta(resto, '\t');
        // Digits only, so the one failure left is a code too long to be one.
        int valor = 0;
        const std::string texto = "0" + codigo;
        const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
        if (erro != std::errc() || valor <= 0)
            continue;
        paises.acrescenta({valor, nomeMaiusculoSemAcento(nome)});
    }
}
