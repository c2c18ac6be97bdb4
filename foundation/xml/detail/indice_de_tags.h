#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The plain tags of a text, found in one pass and filed by name, so that the
// XML reader can look up many element names in any group of the same text
// without scanning the group again for each one.
//
// A plain tag is "<" + token + ">" where the token holds neither "<" nor ">";
// a closing tag's token starts with "/". Looking a token up answers exactly
// what a substring search for "<" + token + ">" would, ASCII case ignored; a
// search limited to a range of the text answers what the same search in that
// range alone would. Building costs O(n) for n tags, a look-up O(log n). The index keeps a
// view of the text: the text must outlive it, unchanged.
class IndiceDeTags {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Raises std::length_error for a text of 4 GB or more.
    explicit IndiceDeTags(std::string_view texto);

    // Position of the first "<" + token + ">" at or after `inicio`; npos when
    // absent. `tokenMaiusculo` is upper-cased and holds neither "<" nor ">".
    std::size_t busca(std::string_view tokenMaiusculo, std::size_t inicio = 0) const
    {
        return busca(tokenMaiusculo, inicio, texto_.size());
    }
    // The same, for a tag lying wholly within [inicio, fim).
    std::size_t busca(std::string_view tokenMaiusculo, std::size_t inicio, std::size_t fim) const;

    // The same search with exact case: what a substring search for "<" +
    // token + ">" would answer. `token` holds neither "<" nor ">".
    std::size_t buscaComCaixa(std::string_view token, std::size_t inicio, std::size_t fim) const;

    // True when a token can be looked up here.
    static bool tokenValido(std::string_view token);

  private:
    struct Tag {
        std::uint32_t posicao; // of the "<"
        std::uint32_t tamanho; // of the token
    };
    // The tags of one name hash: tags_[inicio, fim), by position.
    struct Nome {
        std::uint32_t hash = 0;
        std::uint32_t inicio = 0;
        std::uint32_t fim = 0; // 0: free slot
    };

    // The first tag in [inicio, fim) whose token has the hash of `token`
    // upper-cased and for which iguais(its token, token) holds.
    template <typename Iguais>
    std::size_t primeira(std::string_view token, std::size_t inicio, std::size_t fim, Iguais iguais) const;

    // The slot of `hash` in nomes_ (open addressing): its own or a free one.
    std::size_t slot(std::uint32_t hash) const;

    std::string_view texto_;
    std::vector<Tag> tags_;   // grouped by name hash, each group by position
    std::vector<Nome> nomes_; // a power of two of slots, at most half used
};
