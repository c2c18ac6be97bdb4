#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The plain tags of a text, found in one pass, so that the XML reader can
// look up many element names in the same group without scanning the group
// again for each one.
//
// A plain tag is "<" + token + ">" where the token holds neither "<" nor ">";
// a closing tag's token starts with "/". Looking a token up answers exactly
// what a substring search for "<" + token + ">" would, ASCII case ignored.
class IndiceDeTags {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit IndiceDeTags(std::string_view texto);

    // Position of the first "<" + token + ">" at or after `inicio`; npos when
    // absent. `tokenMaiusculo` is upper-cased and holds neither "<" nor ">".
    std::size_t busca(std::string_view tokenMaiusculo, std::size_t inicio = 0) const;

    // True when a token can be looked up here.
    static bool tokenValido(std::string_view token);

  private:
    struct Tag {
        std::uint32_t posicao; // of the "<"
        std::uint32_t tamanho; // of the token
        std::uint32_t hash;    // of the upper-cased token
    };

    std::string_view texto_;
    std::vector<Tag> tags_;
};
