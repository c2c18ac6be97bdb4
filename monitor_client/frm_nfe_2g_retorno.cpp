// Reading the document monitor's answers and recording them. An answer is
// read only once complete, and deleted only after what it recorded is
// committed; an answer that cannot be recorded stays for the next poll.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "foundation/files/windows_paths.h"
#include "monitor_client/detail/arquivo_troca.h"
#include "monitor_client/nomes_monitor.h"
#include "monitor_client/retorno_monitor.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The stored folder of a path built by JuntaCaminho and the name after it.
std::pair<std::string, std::string> pastaENome(const std::string &caminho)
{
    const auto pos = caminho.find_last_of("\\/");
    if (pos == std::string::npos)
        return {{}, caminho};
    return {caminho.substr(0, pos + 1), caminho.substr(pos + 1)};
}

std::map<std::string, std::string> listaPasta(const std::string &pastaLocal)
{
    std::map<std::string, std::string> nomes;
    std::error_code erro;
    for (fs::directory_iterator it(pastaLocal, erro), fim; !erro && it != fim; it.increment(erro)) {
        std::error_code tipo;
        if (it->is_regular_file(tipo)) {
            const std::string nome = it->path().filename().string();
            nomes.emplace(monitor_detail::minusculas(nome), nome);
        }
    }
    return nomes;
}

} // namespace

bool TfrmNFE_2G::AnalizaResultado() const
{
    return CodigoAceito(RetResultado);
}

std::optional<std::string> TfrmNFE_2G::existeNaListagem(const std::string &caminho)
{
    auto [pasta, nome] = pastaENome(caminho);
    const std::string local = localPath(pasta);
    std::map<std::string, std::string> avulsa;
    const std::map<std::string, std::string> *nomes = &avulsa;
    if (listandoNoTick_) {
        auto it = listagens_.find(local);
        if (it == listagens_.end())
            it = listagens_.emplace(local, listaPasta(local)).first;
        nomes = &it->second;
    } else {
        avulsa = listaPasta(local);
    }
    const auto achado = nomes->find(monitor_detail::minusculas(nome));
    if (achado == nomes->end())
        return std::nullopt;
    return (fs::path(local) / achado->second).string();
}

bool TfrmNFE_2G::retornoCompleto(const fs::path &arquivo, std::string &bytes)
{
    const auto lidos = monitor_detail::leArquivo(arquivo);
    if (!lidos)
        return false;
    bytes = *lidos;
    if (RetornoTerminado(bytes)) {
        selos_.erase(arquivo.string());
        return true;
    }
    // Without a final line break the answer may still be growing: it counts
    // once its size and time have not changed since the previous poll.
    std::error_code erro;
    const auto tamanho = fs::file_size(arquivo, erro);
    const auto hora = fs::last_write_time(arquivo, erro);
    if (erro)
        return false;
    const auto selo = std::make_pair(tamanho, hora);
    const auto anterior = selos_.find(arquivo.string());
    if (anterior != selos_.end() && anterior->second == selo && tamanho == bytes.size()) {
        selos_.erase(anterior);
        return true;
    }
    selos_[arquivo.string()] = selo;
    return false;
}

void TfrmNFE_2G::apagaRetorno(const std::string &caminho)
{
    std::error_code erro;
    fs::remove(caminho, erro);
    if (erro)
        registra("Resposta " + caminho + " não apagada: " + erro.message());
    if (listandoNoTick_) {
        auto [pasta, nome] = pastaENome(caminho);
        const auto it = listagens_.find(pasta);
        if (it != listagens_.end())
            it->second.erase(monitor_detail::minusculas(nome));
    }
}

void TfrmNFE_2G::ConsomeRetorno()
{
    if (retornoPendente_.empty())
        return;
    apagaRetorno(retornoPendente_);
    retornoPendente_.clear();
}

int TfrmNFE_2G::ColetaRetorno(std::string_view tipo, std::string_view emailEnvio,
                              std::string_view emailTransp, int numero, int serie)
{
    const std::string resposta = TipoResposta(tipo);
    if (resposta.empty())
        throw std::invalid_argument("tipo de resposta do monitor desconhecido: " + std::string(tipo));
    retornoPendente_.clear();
    Nome_dos_arquivos(resposta, "-resp", serie, numero);
    std::optional<std::string> achado;
    if (!ArquivoMonitorAlternativo.empty() && (achado = existeNaListagem(ArquivoMonitorAlternativo)))
        ArquivoMonitor = ArquivoMonitorAlternativo;
    else if (!(achado = existeNaListagem(ArquivoMonitor)))
        return 0;
    // The file as it is named in the folder (the monitor may use any case).
    const fs::path arquivo(*achado);
    std::string bytes;
    if (!retornoCompleto(arquivo, bytes))
        return 0;
    copiaRetornoLocal(&bytes);

    const RetornoMonitor lido = LeRetornoMonitor(tipo, TextoDoRetorno(bytes));
    RetResultado = lido.resultado;
    RetMensagem = lido.mensagem;
    RetMensagem2 = lido.mensagem2;
    RetChave = lido.chave;
    RetRecibo = lido.recibo;
    RetNumeroLote = lido.numeroLote;
    RetProtocolo = lido.protocolo;
    if (lido.resultadoInvalido)
        registra("Resposta " + ArquivoMonitor + " com RESULTADO \"" + lido.resultadoLido +
                 "\", que não é um número: lida como código 0 (não aceita)");
    if (!lido.pathPdf.empty() && OpenPdf)
        OpenPdf(lido.pathPdf);

    const std::string kind = monitor_detail::minusculas(tipo);
    if (kind == "danfe" || kind == "email" || kind == "cancelamento" || kind == "inutiliza") {
        retornoPendente_ = arquivo.string();
        return AnalizaResultado() ? 2 : 1;
    }
    if (kind == "impcarta") {
        apagaRetorno(arquivo.string());
        return 1;
    }
    int resultado = 0;
    try {
        resultado = gravaRetornoLido(kind, emailEnvio, emailTransp, numero, serie);
    } catch (const db::DatabaseError &e) {
        modulo().dtmNFERollback();
        registra("Resposta " + ArquivoMonitor + " não gravada (" + e.what() +
                 "): fica para a próxima leitura");
        return 0;
    }
    if (resultado == 0) // the commit failed and was rolled back
        return 0;
    apagaRetorno(arquivo.string());
    if (kind == "nota" && resultado == 2 && !CodigoAceito(RetResultado)) {
        abreGrade(qryEnviadas);
        mostraPainelRecusa(qryEnviadas, numero, serie);
    }
    return resultado;
}

int TfrmNFE_2G::gravaRetornoLido(std::string_view kind, std::string_view emailEnvio,
                                 std::string_view emailTransp, int numero, int serie)
{
    if (kind == "nota") {
        const int estado = EstadoDaNota(numero, serie);
        if (estado != -1 && estado != 1) {
            registra("Resposta " + ArquivoMonitor + " posta de lado: a nota " + std::to_string(numero) +
                     " série " + std::to_string(serie) + " está no estado " + std::to_string(estado) +
                     ", não aguardava resposta");
            return 1;
        }
        gravaNotaRespondida(numero, serie, AnalizaResultado(), emailEnvio, emailTransp);
        return commit() ? 2 : 0;
    }
    if (kind == "consulta") {
        gravaConsultaRespondida(numero, serie, AnalizaResultado());
        return commit() ? (AnalizaResultado() ? 2 : 1) : 0;
    }
    if (RetResultado != 135) // "carta" and "evento"
        return 1;
    if (kind == "carta")
        gravaCartaRespondida(numero, serie);
    else
        gravaEventoRespondido(numero, serie);
    return commit() ? 2 : 0;
}
