#include "monitor_client/retorno_monitor.h"

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace {

std::string maiusculas(std::string_view texto)
{
    std::string saida(texto);
    std::transform(saida.begin(), saida.end(), saida.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return saida;
}

bool umDe(std::string_view tipo, std::initializer_list<std::string_view> tipos)
{
    return std::find(tipos.begin(), tipos.end(), tipo) != tipos.end();
}

bool rejeicao(int codigo)
{
    return (codigo >= 201 && codigo <= 299) || (codigo >= 401 && codigo <= 488) || codigo == 999;
}

std::string semAspas(std::string_view texto)
{
    std::string saida;
    for (const char c : texto)
        if (c != '\'' && c != '"')
            saida += c;
    return saida;
}

std::string depoisDoisPontos(std::string_view texto)
{
    const auto pos = texto.find(':');
    return pos == std::string_view::npos ? std::string{} : std::string(texto.substr(pos + 1));
}

// "0" + the value as a 32-bit integer; surrounding blanks are tolerated.
bool leCodigo(std::string_view valor, int &codigo)
{
    while (!valor.empty() && (valor.front() == ' ' || valor.front() == '\t'))
        valor.remove_prefix(1);
    while (!valor.empty() && (valor.back() == ' ' || valor.back() == '\t'))
        valor.remove_suffix(1);
    if (valor.empty()) {
        codigo = 0;
        return true;
    }
    if (!std::all_of(valor.begin(), valor.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    const auto [fim, erro] = std::from_chars(valor.data(), valor.data() + valor.size(), codigo);
    return erro == std::errc{} && fim == valor.data() + valor.size();
}

} // namespace

RetornoMonitor LeRetornoMonitor(std::string_view tipo, std::string_view texto)
{
    const std::string kind = maiusculas(tipo);
    const bool notaOuConsulta = umDe(kind, {"NOTA", "CONSULTA"});
    RetornoMonitor retorno;
    while (!texto.empty()) {
        const auto quebra = texto.find('\n');
        std::string_view linha = texto.substr(0, quebra);
        texto = quebra == std::string_view::npos ? std::string_view{} : texto.substr(quebra + 1);
        if (!linha.empty() && linha.back() == '\r')
            linha.remove_suffix(1);
        const auto igual = linha.find('=');
        const std::string chave = maiusculas(linha.substr(0, igual));
        std::string_view valor;
        if (igual != std::string_view::npos) {
            valor = linha.substr(igual + 1);
            valor = valor.substr(0, valor.find('='));
        }
        if (chave == "RESULTADO") {
            retorno.resultadoLido = std::string(valor);
            int codigo = 0;
            retorno.resultadoInvalido = !leCodigo(valor, codigo);
            retorno.resultado = retorno.resultadoInvalido ? 0 : codigo;
        } else if (chave == "MENSAGEM") {
            std::string mensagem(valor);
            if (umDe(kind, {"NOTA", "DANFE", "CONSULTA"})) {
                const int codigo = retorno.resultado;
                const bool denegado = codigo == 301 || codigo == 302 || (kind == "NOTA" && codigo == 110);
                if (rejeicao(codigo)) {
                    retorno.mensagem = "Rejeicao";
                    mensagem = depoisDoisPontos(mensagem);
                } else if (denegado) {
                    retorno.mensagem = "Uso denegado";
                    mensagem = depoisDoisPontos(mensagem);
                }
            }
            retorno.mensagem2 = semAspas(mensagem);
        } else if (chave == "CHAVENFE" && notaOuConsulta) {
            retorno.chave = std::string(valor);
        } else if (chave == "RECIBO" && notaOuConsulta) {
            retorno.recibo = std::string(valor);
        } else if (chave == "NUMEROLOTE" && notaOuConsulta) {
            retorno.numeroLote = std::string(valor);
        } else if (chave == "NPROTOCOLO" && (notaOuConsulta || kind == "EVENTO")) {
            retorno.protocolo = std::string(valor);
        } else if (chave == "PATHPDF" && kind == "DANFE") {
            retorno.pathPdf = std::string(valor);
        }
    }
    return retorno;
}

std::string TextoDoRetorno(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (utf8Valid(bytes))
        return std::string(bytes);
    return ConvertePaginaCodigo(bytes, 65001, 1252);
}

bool RetornoTerminado(std::string_view bytes)
{
    return !bytes.empty() && bytes.back() == '\n';
}

bool CodigoAceito(int codigo)
{
    static constexpr std::array<int, 11> aceitos = {100,  101,  102,  111,  112, 4012,
                                                    4014, 4016, 4017, 4021, 4024};
    return std::find(aceitos.begin(), aceitos.end(), codigo) != aceitos.end();
}

bool RetornoAceito(std::string_view tipo, int codigo)
{
    const std::string kind = maiusculas(tipo);
    if (kind == "CARTA" || kind == "EVENTO")
        return codigo == 135;
    return CodigoAceito(codigo);
}
