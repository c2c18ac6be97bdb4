#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/base/base_classes.h"
#include "foundation/net/quib_http.h"

// Directory of the Brazilian states and municipalities with their IBGE codes.
// It downloads them on demand, as JSON, from the statistics institute's public
// data service, keeps them in memory and in a cache file, and answers two
// questions: which municipality has this code, and which municipalities have
// this name (optionally within a state, exactly or by prefix).
//
// Cache file: one line per state followed by its municipalities ordered by
// code, fields separated by "|", lines ended by CR LF, UTF-8:
//   state:        CodigoUF|Sigla|Nome|SiglaRegiao|NomeRegiao|Area|Populacao
//   municipality: CodigoMunicipio|NomeMunicipio|CodigoUF|SiglaUF|Area|Populacao
// A line whose first "|" is its third character is a state line.
//
// Implemented in quib_ibge.cpp (searches, loading on demand, the cache file)
// and quib_ibge_listas.cpp (states and municipalities: cache lines, JSON
// lists, ordering).

// Every error of the directory itself. Download failures are EQuibHTTPError.
class EQuibIBGEException : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

class TQuibIBGE;

class TQuibIBGEUF {
  public:
    bool CidadesBaixadas = false; // the state's municipalities are loaded
    double Area = 0;              // cache only (0 from the service)
    std::string SiglaRegiao;
    int CodigoUF = 0;
    std::string Nome;
    int Populacao = 0; // cache only (0 from the service)
    std::string NomeRegiao;
    std::string Sigla;

    void Limpar();
    std::string LinhaCache() const;
    // Raises EQuibIBGEException "Linha de UF inválida: <line>" unless the line
    // has exactly 7 fields whose numbers convert; the fields are left as they
    // were then.
    void LerLinhaCache(std::string_view linha);
};

class TQuibIBGECidade {
  public:
    int CodigoMunicipio = 0; // 7 digits
    std::string NomeMunicipio;
    int CodigoUF = 0;
    std::string ChaveBusca; // the name as searches compare it (see TQuibIBGE::ChaveDeBusca)
    std::string SiglaUF;
    double Area = 0;
    int Populacao = 0;

    void Limpar();
    // Every field but ChaveBusca.
    void CopiarDe(const TQuibIBGECidade &origem);
    std::string LinhaCache() const;
    // As TQuibIBGEUF::LerLinhaCache with 6 fields ("Linha de Cidade inválida: <line>").
    void LerLinhaCache(std::string_view linha);
};

// The order a list was last sorted in; adding an item forgets it.
enum class IbgeSortOrder : std::uint8_t { none, byCode, bySearchKey };

class TQuibIBGEUFs : public TQuibObjectList<TQuibIBGEUF> {
  public:
    explicit TQuibIBGEUFs(TQuibIBGE &diretorio) : diretorio_(diretorio) {}
    // The directory the list belongs to.
    TQuibIBGE &Diretorio() const { return diretorio_; }

    TQuibIBGEUF &ObterItem(int index) { return (*this)[index]; }
    int Adicionar(std::unique_ptr<TQuibIBGEUF> item) { return Adiciona(std::move(item)); }

    // Index of the state with the code (the list gets sorted by code); -1 when none.
    int IndicePorCodigo(int codigo);
    // Index of the state whose Sigla equals the upper-cased text, in list order; -1 when none.
    int IndicePorSigla(std::string_view sigla) const;
    // CodigoUF of that state; -1 when none.
    int CodigoPorSigla(std::string_view sigla) const;

    // Replaces the list by the states of a JSON array ("id", "sigla", "nome",
    // "regiao"."sigla", "regiao"."nome"). A text that is not a JSON array
    // raises EQuibException and leaves the list as it was.
    void LerJSON(std::string_view json);

  private:
    TQuibIBGE &diretorio_;
    IbgeSortOrder ordem_ = IbgeSortOrder::none;
};

class TQuibIBGECidades : public TQuibObjectList<TQuibIBGECidade> {
  public:
    explicit TQuibIBGECidades(TQuibIBGE &diretorio) : diretorio_(diretorio) {}
    // The directory the list belongs to.
    TQuibIBGE &Diretorio() const { return diretorio_; }

    TQuibIBGECidade &ObterItem(int index) { return (*this)[index]; }
    int Adicionar(std::unique_ptr<TQuibIBGECidade> item) { return Adiciona(std::move(item)); }
    // Adds a copy of the municipality (every field but ChaveBusca).
    int AdicionarCopia(const TQuibIBGECidade &cidade);

    // Binary searches on the list sorted by search key (or by code): the
    // lowest index whose key equals; when none does, -1 for an exact search
    // and for a prefix search the index of the first greater key (-1 when
    // there is none). -1 for an empty list or an empty key.
    int IndicePorNome(std::string_view chave, bool Exata);
    int IndicePorCodigo(int codigo, bool Exata);

    void ordenaPorCodigo();
    void ordenaPorChave();

    // Appends the municipalities of a JSON array ("id", "nome",
    // "microrregiao"."mesorregiao"."UF"."id" and "sigla"); keys follow the
    // directory's folding rule. A text that is not a JSON array raises
    // EQuibException and adds nothing.
    void LerJSON(std::string_view json);

  private:
    TQuibIBGE &diretorio_;
    IbgeSortOrder ordem_ = IbgeSortOrder::none;
};

// Lets the program store or supply the cache lines itself; setting Tratado
// keeps the directory from touching the file.
using TQuibIBGELerGravarCache = std::function<void(std::vector<std::string> &ConteudoCache, bool &Tratado)>;
using TQuibIBGEBuscaEfetuada = std::function<void(TQuibIBGE &Sender)>;
using TQuibIBGEFalhaCache = std::function<void(TQuibIBGE &Sender, const std::string &Mensagem)>;

class TQuibIBGE : public TQuibHTTP {
  public:
    // The public data service of the statistics institute.
    static constexpr const char *kEnderecoPadrao = "https://servicodados.ibge.gov.br";
    static constexpr const char *kCacheArquivoPadrao = "QuibIBGE.txt";

    TQuibIBGE();

    // Address of the data service (scheme and host, no final "/"); a setting.
    std::string serviceAddress = kEnderecoPadrao;

    // The cache file. A bare file name gets the user's cache folder
    // (PastaDeCacheDoUsuario, file_utils.h) in front and keeps it; an empty
    // name means no cache file.
    std::string CacheArquivo();
    void SetCacheArquivo(std::string_view arquivo) { cacheArquivo_ = std::string(arquivo); }
    // Age in whole days above which the cache file is discarded; 0 = no limit.
    int CacheDiasValidade = 0;
    // Search keys folded to lower case without accents. Changing it makes the
    // next load read the cache again and rebuild the keys.
    bool IgnorarCaixaEAcentos() const { return ignorarCaixaEAcentos_; }
    void SetIgnorarCaixaEAcentos(bool valor);
    TQuibIBGEBuscaEfetuada OnBuscaEfetuada;
    TQuibIBGELerGravarCache OnGravarCache;
    TQuibIBGELerGravarCache OnLerCache;
    // Called when the cache file could not be written after a download, with
    // the message also kept in FalhaGravacaoCache.
    TQuibIBGEFalhaCache OnFalhaGravacaoCache;

    // The municipality with the code into ResultadoBusca (0 or 1 found).
    // Raises "Código do Município deve ser informado" for 0.
    int ProcurarPorCodigo(int cMun);
    // The municipalities whose key equals (Exata) or begins with the folded
    // Cidade, within the state UF when given; an exact search stops at the
    // first. Raises "Nome do Município deve ser informado" for a blank name
    // and "UF <UF> não encontrada" for an unknown state.
    int ProcurarPorNome(std::string_view Cidade, std::string_view UF = "", bool Exata = false);
    // The state's code; -1 when unknown. The cache is read first; the states
    // list is downloaded only when the state is not held and fewer than 27 are.
    int CodigoDaUF(std::string_view UF);

    TQuibIBGECidades &ResultadoBusca() { return resultadoBusca_; }
    TQuibIBGECidades &CidadesCarregadas() { return cidadesCarregadas_; }
    TQuibIBGEUFs &UFsCarregadas() { return ufsCarregadas_; }
    bool CacheLido() const { return cacheLido_; }
    // Why the cache file was not written after the last download ("Cache de
    // municípios não gravado: ..."); empty when it was. Such a failure never
    // makes a lookup fail: the downloaded data is held and answers.
    const std::string &FalhaGravacaoCache() const { return falhaGravacaoCache_; }

    // The name as a search key: lower case without accents when
    // IgnorarCaixaEAcentos, else unchanged.
    std::string ChaveDeBusca(std::string_view nome) const;

    // Loading. Each reads the cache once, then downloads only what is missing:
    // a state whose municipalities the cache holds needs no download at all.
    // A list is replaced only after its download was read, so a failed
    // download keeps what was held; a state's municipalities replace those
    // an earlier cache left of it.
    void CarregarUFs();
    void CarregarCidadesDaUF(int codigoUF);
    void CarregarTodasCidades();

    void LerCache();
    // Writes the cache file (creating its folder); raises FileWriteError when
    // it cannot be written. The loads call it and keep such a failure in
    // FalhaGravacaoCache instead.
    void SalvarCache();
    std::vector<std::string> GerarLinhasCache();

    // The raw body of the last response, inflated when compressed and read
    // as UTF-8 when its Content-Type says so (else as Windows-1252).
    std::string LerRespostaTexto() const;
    // GET asking for a compressed answer.
    void BaixarCompactado(std::string_view url);

  private:
    void gravaCacheAposCarga();

    TQuibIBGECidades resultadoBusca_;
    TQuibIBGECidades cidadesCarregadas_;
    TQuibIBGEUFs ufsCarregadas_;
    std::string cacheArquivo_ = kCacheArquivoPadrao;
    bool ignorarCaixaEAcentos_ = false;
    bool cacheLido_ = false;
    std::string falhaGravacaoCache_;
};
