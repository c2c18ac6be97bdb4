#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// A set of the characters U+0000 to U+00FF, one bit each, so that a membership
// test is one bit lookup. Characters above U+00FF never belong to a set.
//
// Header only: no source of its own.
class CharSet {
  public:
    constexpr CharSet() = default;

    // The set of the characters listed (each byte of the text is one member).
    static constexpr CharSet of(std::string_view members)
    {
        CharSet set;
        for (const char c : members)
            set.add(static_cast<unsigned char>(c));
        return set;
    }

    // The set of the characters from `first` to `last`, inclusive.
    static constexpr CharSet range(char32_t first, char32_t last)
    {
        CharSet set;
        for (char32_t c = first; c <= last && c < 256; ++c)
            set.add(c);
        return set;
    }

    constexpr CharSet &add(char32_t c)
    {
        if (c < 256)
            words_[c >> 6] |= std::uint64_t{1} << (c & 63);
        return *this;
    }

    constexpr bool contains(char32_t c) const { return c < 256 && (words_[c >> 6] >> (c & 63) & 1) != 0; }

    constexpr CharSet operator|(const CharSet &other) const
    {
        CharSet set;
        for (std::size_t i = 0; i < words_.size(); ++i)
            set.words_[i] = words_[i] | other.words_[i];
        return set;
    }

  private:
    std::array<std::uint64_t, 4> words_{};
};

// The fixed character classes.
inline constexpr CharSet kLetras = CharSet::range('A', 'Z') | CharSet::range('a', 'z');
inline constexpr CharSet kDigitos = CharSet::range('0', '9');
inline constexpr CharSet kLetrasEDigitos = kLetras | kDigitos;
inline constexpr CharSet kHexadecimais = kDigitos | CharSet::range('A', 'F') | CharSet::range('a', 'f');
inline constexpr CharSet kBinarios = CharSet::of("01");
inline constexpr CharSet kCaracteresBase64 = kLetrasEDigitos | CharSet::of("+/");
