#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The reference lists of the emitter screen: states, municipalities and
// countries read from the text files beside the program, the conversion
// between IBGE state codes and abbreviations, and the modulus-11 check digit.
//
// The files are found in their folder without regard to the case of their
// names and read line by line as Windows-1252 (well-formed UTF-8 is kept).
// Names are upper-cased by characters and then stripped of accents with the
// shell's text normaliser. A code that is not a whole number raises
// ConversionError naming the file and line; the rows read before it stay.
// Implemented in listas_referencia.cpp.

// One state of `tblEstados`.
struct EstadoIBGE {
    int Estado = 0;
    std::string Nome;
    std::string UF;
};

// One municipality of `tblCidades`.
struct CidadeIBGE {
    int Estado = 0;
    std::string Cidade;
    int cod_ibge = 0;
    std::string uf;
};

// One country of `tblPaises`.
struct PaisIBGE {
    int cod_pais = 0;
    std::string nome_pais;
};

// An in-memory list as the screens browse it: open or closed, ordered, with
// a current row and an optional filter. Moving and reading see only the rows
// the filter keeps.
template <typename Linha> class ListaReferencia {
  public:
    bool aberta() const { return aberta_; }
    // Opens the list empty ("create empty").
    void abre()
    {
        linhas_.clear();
        aberta_ = true;
        semFiltro();
    }
    void fecha()
    {
        linhas_.clear();
        aberta_ = false;
        posicao_ = 0;
    }
    void acrescenta(Linha linha)
    {
        linhas_.push_back(std::move(linha));
        posicao_ = linhas_.size() - 1;
    }
    // Orders the rows by a key (stable), the first row becomes current.
    template <typename Chave> void ordena(Chave chave)
    {
        std::stable_sort(linhas_.begin(), linhas_.end(),
                         [&](const Linha &a, const Linha &b) { return chave(a) < chave(b); });
        primeiro();
    }
    // Keeps the rows for which `filtro` is true; the first of them is current.
    template <typename Filtro> void filtra(Filtro filtro)
    {
        visiveis_.clear();
        for (std::size_t i = 0; i < linhas_.size(); ++i)
            if (filtro(linhas_[i]))
                visiveis_.push_back(i);
        filtrada_ = true;
        posicao_ = 0;
    }
    void semFiltro()
    {
        filtrada_ = false;
        visiveis_.clear();
        posicao_ = 0;
    }
    std::size_t quantidade() const { return filtrada_ ? visiveis_.size() : linhas_.size(); }
    bool vazia() const { return quantidade() == 0; }
    void primeiro() { posicao_ = 0; }
    // Moves to the visible row `indice` (clamped); the grid's click.
    void vaiPara(std::size_t indice) { posicao_ = vazia() ? 0 : std::min(indice, quantidade() - 1); }
    std::size_t posicao() const { return posicao_; }
    // The current row; nullopt when no row is visible.
    const Linha *atual() const { return vazia() ? nullptr : &linha(posicao_); }
    const Linha &linha(std::size_t indice) const { return linhas_[filtrada_ ? visiveis_[indice] : indice]; }
    // Moves to the first visible row for which `igual` is true; false leaves
    // the position alone.
    template <typename Igual> bool localiza(Igual igual)
    {
        for (std::size_t i = 0; i < quantidade(); ++i)
            if (igual(linha(i))) {
                posicao_ = i;
                return true;
            }
        return false;
    }

  private:
    std::vector<Linha> linhas_;
    std::vector<std::size_t> visiveis_;
    bool filtrada_ = false;
    bool aberta_ = false;
    std::size_t posicao_ = 0;
};

// The abbreviation of one of the 27 IBGE state codes when `codigo` is above
// 0 (empty for any other code); otherwise the code of the upper-case
// abbreviation as decimal text, "0" when it is none of the 27.
std::string BuscaEstado(int codigo, std::string_view sigla);
// True for the 27 IBGE state codes.
bool CodigoEstadoValido(int codigo);
// The modulus-11 check digit of the digits (weights 2 to 9 from the right,
// 0 for a remainder of 0 or 1); characters other than digits are ignored,
// so a text without digits gives "0".
std::string Modulo11NFE(std::string_view digitos);

// The file named `nome` in `pasta` (a folder ending in "/"), the name
// matched without regard to case; nullopt when there is none.
std::optional<std::string> localizaArquivo(const std::string &pasta, std::string_view nome);
// The lines of a reference file, decoded to UTF-8.
std::vector<std::string> leLinhasReferencia(const std::string &arquivo);

// Appends the municipalities of "Tabela_Cidades_IBGE.txt" lines to the open
// lists (state rows once per state code).
void carregaEstadosCidades(const std::string &arquivo, ListaReferencia<EstadoIBGE> &estados,
                           ListaReferencia<CidadeIBGE> &cidades);
// Appends the countries of "tabela_de_paises.txt" lines to the open list;
// lines whose code is not above 0 are skipped.
void carregaPaises(const std::string &arquivo, ListaReferencia<PaisIBGE> &paises);
