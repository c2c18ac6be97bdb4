// The directory: searches, loading on demand, the cache file.

#include "foundation/net/quib_ibge.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "foundation/dates/date_time.h"
#include "foundation/files/compression.h"
#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr const char *kCaminhoUFs = "/api/v1/localidades/estados/";
constexpr const char *kCaminhoTodasCidades = "/api/v1/localidades/municipios";
constexpr int kQuantidadeUFs = 27;

std::string caminhoCidadesDaUF(int codigoUF)
{
    return "/api/v1/localidades/estados/" + InteiroComZeros(codigoUF, 2) + "/municipios";
}

// Whole days between the file's last change and now; -1 when it cannot be read.
long diasDesdeAlteracao(const std::string &arquivo)
{
    struct stat info {};
    if (::stat(arquivo.c_str(), &info) != 0)
        return -1;
    const auto changed = std::chrono::system_clock::from_time_t(info.st_mtime);
    const auto age = currentTimePoint() - changed;
    return static_cast<long>(std::chrono::duration_cast<std::chrono::hours>(age).count() / 24);
}

// The file's lines, read as UTF-8 (as Windows-1252 when they are not UTF-8);
// none when it cannot be read.
std::vector<std::string> linhasDoArquivo(const std::string &arquivo)
{
    std::ifstream in(arquivo, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return splitLines(AnsiParaUTF8(bytes.str()));
}

bool ehLinhaDeUF(std::string_view linha)
{
    return linha.find('|') == 2;
}

} // namespace

TQuibIBGE::TQuibIBGE() : resultadoBusca_(*this), cidadesCarregadas_(*this), ufsCarregadas_(*this)
{
    HTTPSend().tlsMinimum = TlsMinimum::tls1_2;
}

std::string TQuibIBGE::CacheArquivo()
{
    if (!cacheArquivo_.empty() && cacheArquivo_.find('/') == std::string::npos)
        cacheArquivo_ = PastaDeCacheDoUsuario() + cacheArquivo_;
    return cacheArquivo_;
}

void TQuibIBGE::SetIgnorarCaixaEAcentos(bool valor)
{
    if (valor == ignorarCaixaEAcentos_)
        return;
    ignorarCaixaEAcentos_ = valor;
    cacheLido_ = false;
}

std::string TQuibIBGE::ChaveDeBusca(std::string_view nome) const
{
    return ignorarCaixaEAcentos_ ? lowerAscii(RemoveAcentos(nome)) : std::string(nome);
}

// ---- Searches ----------------------------------------------------------------------

int TQuibIBGE::ProcurarPorCodigo(int cMun)
{
    clearResponseLines();
    resultadoBusca_.clear();
    if (cMun == 0)
        throw EQuibIBGEException("Código do Município deve ser informado");

    const std::string texto = std::to_string(cMun);
    int codigoUF = 0;
    const std::string prefixo = texto.substr(0, 2);
    std::from_chars(prefixo.data(), prefixo.data() + prefixo.size(), codigoUF);
    CarregarCidadesDaUF(codigoUF);

    const int index = cidadesCarregadas_.IndicePorCodigo(cMun, true);
    if (index >= 0)
        resultadoBusca_.AdicionarCopia(cidadesCarregadas_.ObterItem(index));
    if (OnBuscaEfetuada)
        OnBuscaEfetuada(*this);
    return resultadoBusca_.count();
}

int TQuibIBGE::ProcurarPorNome(std::string_view Cidade, std::string_view UF, bool Exata)
{
    clearResponseLines();
    resultadoBusca_.clear();
    if (trimText(Cidade).empty())
        throw EQuibIBGEException("Nome do Município deve ser informado");

    int codigoUF = 0;
    if (!trimText(UF).empty()) {
        codigoUF = CodigoDaUF(trimText(UF));
        if (codigoUF == -1)
            throw EQuibIBGEException("UF " + std::string(UF) + " não encontrada");
        CarregarCidadesDaUF(codigoUF);
    } else {
        CarregarTodasCidades();
    }

    const std::string chave = ChaveDeBusca(Cidade);
    int index = cidadesCarregadas_.IndicePorNome(chave, Exata);
    if (index >= 0) {
        for (; index < cidadesCarregadas_.count(); ++index) {
            const TQuibIBGECidade &cidade = cidadesCarregadas_.ObterItem(index);
            const bool confere = Exata ? cidade.ChaveBusca == chave : cidade.ChaveBusca.starts_with(chave);
            if (!confere)
                break;
            if (codigoUF != 0 && cidade.CodigoUF != codigoUF)
                continue;
            resultadoBusca_.AdicionarCopia(cidade);
            if (Exata)
                break;
        }
    }
    if (OnBuscaEfetuada)
        OnBuscaEfetuada(*this);
    return resultadoBusca_.count();
}

int TQuibIBGE::CodigoDaUF(std::string_view UF)
{
    if (!cacheLido_)
        LerCache();
    // A cache that holds only some states answers for them; any other state
    // needs the full list.
    const int codigo = ufsCarregadas_.CodigoPorSigla(UF);
    if (codigo != -1 || ufsCarregadas_.count() >= kQuantidadeUFs)
        return codigo;
    CarregarUFs();
    return ufsCarregadas_.CodigoPorSigla(UF);
}

// ---- Loading -------------------------------------------------------------------------

void TQuibIBGE::CarregarUFs()
{
    if (!cacheLido_)
        LerCache();
    if (ufsCarregadas_.count() >= kQuantidadeUFs)
        return;

    std::string siglasComCidades;
    for (const TQuibIBGEUF *uf : ufsCarregadas_)
        if (uf->CidadesBaixadas)
            siglasComCidades += uf->Sigla + ",";

    // The list is replaced only once the new one has been read, so a failed
    // download keeps what was held.
    BaixarCompactado(serviceAddress + kCaminhoUFs);
    ufsCarregadas_.LerJSON(LerRespostaTexto());
    if (!siglasComCidades.empty())
        for (TQuibIBGEUF *uf : ufsCarregadas_)
            uf->CidadesBaixadas = !uf->Sigla.empty() && siglasComCidades.find(uf->Sigla) != std::string::npos;
}

void TQuibIBGE::CarregarCidadesDaUF(int codigoUF)
{
    // A state whose municipalities the cache holds needs no download at all.
    if (!cacheLido_)
        LerCache();
    const int cached = ufsCarregadas_.IndicePorCodigo(codigoUF);
    if (cached >= 0 && ufsCarregadas_.ObterItem(cached).CidadesBaixadas)
        return;

    CarregarUFs();
    const int index = ufsCarregadas_.IndicePorCodigo(codigoUF);
    if (index < 0)
        throw EQuibIBGEException("Código da UF: " + std::to_string(codigoUF) + " inválido");
    TQuibIBGEUF &uf = ufsCarregadas_.ObterItem(index);
    if (uf.CidadesBaixadas)
        return;

    ExecutarGet(serviceAddress + caminhoCidadesDaUF(codigoUF));
    const std::string resposta = LerRespostaTexto();
    TQuibIBGECidades novas(*this);
    novas.LerJSON(resposta);

    // What an earlier cache left of this state is replaced, never doubled.
    for (int i = cidadesCarregadas_.count() - 1; i >= 0; --i)
        if (cidadesCarregadas_.ObterItem(i).CodigoUF == codigoUF)
            cidadesCarregadas_.remove(i);
    for (const TQuibIBGECidade *cidade : novas) {
        const int added = cidadesCarregadas_.AdicionarCopia(*cidade);
        cidadesCarregadas_.ObterItem(added).ChaveBusca = cidade->ChaveBusca;
    }
    uf.CidadesBaixadas = true;
    gravaCacheAposCarga();
}

void TQuibIBGE::CarregarTodasCidades()
{
    CarregarUFs();
    bool todas = true;
    for (const TQuibIBGEUF *uf : ufsCarregadas_)
        todas = todas && uf->CidadesBaixadas;
    if (todas)
        return;

    ExecutarGet(serviceAddress + kCaminhoTodasCidades);
    const std::string resposta = LerRespostaTexto();
    TQuibIBGECidades novas(*this);
    novas.LerJSON(resposta);

    cidadesCarregadas_.clear();
    for (const TQuibIBGECidade *cidade : novas) {
        const int added = cidadesCarregadas_.AdicionarCopia(*cidade);
        cidadesCarregadas_.ObterItem(added).ChaveBusca = cidade->ChaveBusca;
    }
    for (TQuibIBGEUF *uf : ufsCarregadas_)
        uf->CidadesBaixadas = true;
    gravaCacheAposCarga();
}

std::string TQuibIBGE::LerRespostaTexto() const
{
    std::string corpo = HTTPSend().responseBody;
    if (corpo.size() >= 4) {
        std::istringstream stream(corpo);
        if (DetectaCompressao(stream) != tcmDesconhecido)
            corpo = DescompactaStream(stream);
    }
    const bool utf8 = lowerAscii(ValorCabecalhoResposta("Content-Type:")).find("utf-8") != std::string::npos;
    return decodeResponseBody(corpo, utf8);
}

void TQuibIBGE::BaixarCompactado(std::string_view url)
{
    HTTPSend().requestHeaders.GravaCampo("Accept-Encoding", "deflate, gzip");
    ExecutarMetodo("GET", url);
}

// ---- Cache ---------------------------------------------------------------------------

void TQuibIBGE::LerCache()
{
    cacheLido_ = true;
    const std::string arquivo = CacheArquivo();
    if (arquivo.empty() && !OnLerCache)
        return;

    std::vector<std::string> linhas;
    bool tratado = false;
    if (OnLerCache)
        OnLerCache(linhas, tratado);
    if (!tratado && !arquivo.empty() && std::filesystem::exists(arquivo)) {
        if (CacheDiasValidade > 0 && diasDesdeAlteracao(arquivo) > CacheDiasValidade) {
            std::error_code ignorado;
            std::filesystem::remove(arquivo, ignorado);
            return;
        }
        linhas = linhasDoArquivo(arquivo);
    }
    if (linhas.empty())
        return;

    ufsCarregadas_.clear();
    cidadesCarregadas_.clear();
    for (const std::string &linha : linhas) {
        try {
            if (ehLinhaDeUF(linha)) {
                auto uf = std::make_unique<TQuibIBGEUF>();
                uf->LerLinhaCache(linha);
                uf->CidadesBaixadas = true;
                ufsCarregadas_.Adicionar(std::move(uf));
            } else {
                auto cidade = std::make_unique<TQuibIBGECidade>();
                cidade->LerLinhaCache(linha);
                cidade->ChaveBusca = ChaveDeBusca(cidade->NomeMunicipio);
                cidadesCarregadas_.Adicionar(std::move(cidade));
            }
        } catch (const EQuibIBGEException &) {
            // A damaged line is left out; what it held is downloaded again.
        }
    }
}

void TQuibIBGE::SalvarCache()
{
    const std::string arquivo = CacheArquivo();
    if (arquivo.empty() && !OnGravarCache)
        return;
    if (ufsCarregadas_.empty())
        throw EQuibIBGEException("Tabelas de UF não está na memória");
    if (cidadesCarregadas_.empty())
        throw EQuibIBGEException("Tabelas de Cidades não está na memória");

    std::vector<std::string> linhas = GerarLinhasCache();
    bool tratado = false;
    if (OnGravarCache)
        OnGravarCache(linhas, tratado);
    if (tratado || arquivo.empty())
        return;
    std::string texto;
    for (const std::string &linha : linhas)
        texto += linha + "\r\n";
    SobrescreveArquivoTexto(arquivo, texto, true);
}

void TQuibIBGE::gravaCacheAposCarga()
{
    falhaGravacaoCache_.clear();
    try {
        SalvarCache();
    } catch (const FileWriteError &erro) {
        // The download succeeded and its data is held: the lookup goes on.
        falhaGravacaoCache_ = std::string("Cache de municípios não gravado: ") + erro.what();
        if (OnFalhaGravacaoCache)
            OnFalhaGravacaoCache(*this, falhaGravacaoCache_);
    }
}

std::vector<std::string> TQuibIBGE::GerarLinhasCache()
{
    std::vector<std::string> linhas;
    cidadesCarregadas_.ordenaPorCodigo();
    int ufAtual = -1;
    for (const TQuibIBGECidade *cidade : cidadesCarregadas_) {
        if (cidade->CodigoUF != ufAtual) {
            ufAtual = cidade->CodigoUF;
            const int index = ufsCarregadas_.IndicePorCodigo(ufAtual);
            if (index >= 0)
                linhas.push_back(ufsCarregadas_.ObterItem(index).LinhaCache());
        }
        linhas.push_back(cidade->LinhaCache());
    }
    return linhas;
}
