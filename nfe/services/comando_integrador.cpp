// The file exchange of the Integrador client (TComandoIntegrador and the
// reply fields); declared in quib_integrador.h.

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/quib_integrador.h"

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

std::string comSeparadorFinal(std::string_view pasta)
{
    std::string resultado(pasta);
    if (resultado.empty() || resultado.ends_with('/') || resultado.ends_with('\\'))
        return resultado;
    resultado +=
        resultado.find('\\') != std::string::npos && resultado.find('/') == std::string::npos ? '\\' : '/';
    return resultado;
}

// The name with its extension replaced (or added); only the file part counts.
std::string trocaExtensao(std::string_view nome, std::string_view extensao)
{
    const std::size_t barra = nome.find_last_of("/\\");
    const std::size_t inicioArquivo = barra == std::string_view::npos ? 0 : barra + 1;
    const std::size_t ponto = nome.rfind('.');
    const std::size_t fim = ponto != std::string_view::npos && ponto >= inicioArquivo ? ponto : nome.size();
    return std::string(nome.substr(0, fim)) + std::string(extensao);
}

std::string parteArquivo(std::string_view nome)
{
    const std::size_t barra = nome.find_last_of("/\\");
    return std::string(barra == std::string_view::npos ? nome : nome.substr(barra + 1));
}

bool existe(const std::string &armazenado)
{
    std::error_code erro;
    return fs::exists(localPath(armazenado), erro);
}

void apagar(const std::string &armazenado)
{
    std::error_code erro;
    fs::remove(localPath(armazenado), erro);
}

bool lerArquivo(const std::string &caminho, std::string &texto)
{
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada)
        return false;
    std::ostringstream conteudo;
    conteudo << entrada.rdbuf();
    if (entrada.bad())
        return false;
    texto = conteudo.str();
    return true;
}

int inteiroOuZero(std::string_view texto)
{
    int valor = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return erro == std::errc() && fim == texto.data() + texto.size() ? valor : 0;
}

std::string conteudo(std::string_view texto, std::string_view tag)
{
    return ConteudoDaTag(texto, tag, false, true, true);
}

} // namespace

// ---- Reply fields ---------------------------------------------------------------------

void TIntegradorResposta::LerResposta(std::string_view texto)
{
    const std::string integrador = conteudo(texto, "Integrador");
    if (integrador.empty())
        return;
    const std::string identificador = conteudo(integrador, "Identificador");
    if (!identificador.empty())
        Identificador = inteiroOuZero(trimText(conteudo(identificador, "valor")));
    const std::string resposta = conteudo(integrador, "IntegradorResposta");
    if (!resposta.empty()) {
        Codigo = trimText(conteudo(resposta, "Codigo"));
        Valor = trimText(conteudo(resposta, "Valor"));
    }
}

// ---- The exchange ---------------------------------------------------------------------

TComandoIntegrador::TComandoIntegrador(TQuibIntegrador &owner) : owner_(owner) {}

void TComandoIntegrador::SetPastaInput(std::string_view value)
{
    pastaInput_ = comSeparadorFinal(value);
}

void TComandoIntegrador::SetPastaOutput(std::string_view value)
{
    pastaOutput_ = comSeparadorFinal(value);
}

void TComandoIntegrador::Limpar()
{
    erro_.clear();
    erroTimeout_ = false;
    respostaTexto_.clear();
    resposta_ = {};
}

std::string TComandoIntegrador::EnviarComando(int sessao, std::string_view nomeBase, int timeout,
                                              std::string_view comando)
{
    Limpar();
    const std::string sessaoTexto = std::to_string(sessao);
    const std::string baseArquivo = pastaInput_ + lowerAscii(nomeBase) + "-" + sessaoTexto;
    std::string pedido = CriarArquivo(baseArquivo, comando);

    const auto inicio = currentTimePoint();
    auto proximaReescrita = inicio + 5s;
    int segundos = timeout > 0 ? timeout : Timeout;
    if (segundos <= 25)
        segundos = 25;
    const auto prazo = inicio + std::chrono::seconds(segundos);

    std::string resposta = AguardaArqResposta(sessao);
    while (resposta.empty() && currentTimePoint() < prazo) {
        sleepFor(100ms);
        resposta = AguardaArqResposta(sessao);
        const auto agora = currentTimePoint();
        if (agora > proximaReescrita) {
            proximaReescrita = agora + 5s;
            if (existe(pedido)) {
                owner_.GravarLog("Apagando arquivo não processado: " + pedido);
                apagar(pedido);
                pedido = CriarArquivo(baseArquivo + "-" + DataHoraFormatoBR(nowLocal(), "hhnnss"), comando);
            }
        }
    }
    if (existe(pedido)) {
        owner_.GravarLog("Apagando arquivo: " + pedido);
        apagar(pedido);
    }
    if (resposta.empty()) {
        erroTimeout_ = true;
        LancarErro("Sem Resposta do Integrador");
    }

    GravarBackup(std::string(nomeBase) + "-resposta-" + sessaoTexto + ".xml", resposta);
    owner_.GravarLog("RespostaIntegrador: " + resposta);
    respostaTexto_ = resposta;
    resposta_.LerResposta(resposta);
    return resposta_.Codigo == "EE" ? resposta : ExtrairRetorno(resposta);
}

std::string TComandoIntegrador::CriarArquivo(std::string_view nome, std::string_view texto)
{
    const std::string temporario = trocaExtensao(nome, ".tmp");
    owner_.GravarLog("Criando arquivo: " + temporario);
    try {
        SobrescreveArquivoTexto(temporario, texto, false);
    } catch (const FileWriteError &) {
        // reported below as the file that is not there
    }
    if (!existe(temporario))
        LancarErro("Erro ao criar o arquivo: " + temporario);
    GravarBackup(temporario, texto);

    const std::string final = trocaExtensao(temporario, ".xml");
    owner_.GravarLog("Renomeando arquivo: " + temporario + " para: " + final);
    std::error_code erro;
    fs::rename(localPath(temporario), localPath(final), erro);
    if (erro)
        LancarErro("Erro ao renomear o arquivo: " + temporario + " para: " + final);
    return final;
}

void TComandoIntegrador::GravarBackup(std::string_view nome, std::string_view texto)
{
    if (PastaBackup.empty())
        return;
    const std::string pasta = comSeparadorFinal(PastaBackup) + DataFormatoBR(nowLocal(), "yyyymmdd") + "/";
    const std::string arquivo = pasta + trocaExtensao(parteArquivo(nome), ".xml");
    try {
        SobrescreveArquivoTexto(arquivo, texto, true);
    } catch (const FileWriteError &erro) {
        owner_.GravarLog(erro.what());
    }
}

std::string TComandoIntegrador::AguardaArqResposta(int sessao)
{
    owner_.GravarLog(DataHoraFormatoBR(nowLocal()) +
                     " - AguardaArqResposta, sessao: " + std::to_string(sessao));
    std::vector<std::string> arquivos;
    ListaArquivos(pastaOutput_ + "*.xml", arquivos, false, 2, 1);
    sleepFor(50ms);

    const std::string pasta = localPath(pastaOutput_);
    for (const std::string &nome : arquivos) {
        const std::string caminho = (fs::path(pasta) / nome).string();
        std::string texto;
        bool lido = lerArquivo(caminho, texto);
        for (int tentativa = 0; !lido && tentativa < 5; ++tentativa) {
            sleepFor(500ms);
            lido = lerArquivo(caminho, texto);
        }
        if (!lido)
            continue;
        const std::string identificador = conteudo(texto, "Identificador");
        if (identificador.empty() || trimText(conteudo(identificador, "Valor")) != std::to_string(sessao))
            continue;
        std::error_code erro;
        fs::remove(caminho, erro);
        return std::string(trimText(texto));
    }
    return {};
}

std::string TComandoIntegrador::ExtrairRetorno(std::string_view resposta)
{
    std::string resultado = conteudo(resposta, "retorno");
    if (resultado.empty())
        resultado = conteudo(resposta, "Resposta");
    erro_ = ConteudoDaTag(resposta, "Erro", true, true, true);
    if (resultado.empty() && erro_.empty())
        resultado = std::string(resposta);
    return resultado;
}

void TComandoIntegrador::LancarErro(const std::string &mensagem)
{
    owner_.GravarLog("EComandoIntegradorException: " + mensagem);
    throw EComandoIntegradorException(mensagem);
}
