#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

// Code tables of the document layouts.
//
// A code table is a constant, ordered list of rows (code text, enumeration value):
//
//   constexpr auto kTipoAmbiente = MakeCodeTable<TpcnTipoAmbiente>({{"1", taProducao},
//                                                                   {"2", taHomologacao}});
//
// The row order carries meaning:
// - reading a code compares it with every row's code without regard to ASCII letter case
//   (no trimming); when several rows match, the later row wins; when none matches, the
//   result is the value of the first row and ok is false;
// - writing a value gives the code of the last row that holds it, or the empty text.
//
// Both directions are resolved when the table is built (at compile time), so a lookup is
// one array access (value to code) or a binary search (code to value), with no copies.
//
// Header only: no source of its own.

// Three-way comparison of two codes, the letters a-z and A-Z compared without regard to case
// (how every code and document name is matched).
constexpr int compareCodesIgnoringCase(std::string_view a, std::string_view b)
{
    constexpr auto upper = [](char c) {
        return static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
    };
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (upper(a[i]) != upper(b[i]))
            return upper(a[i]) < upper(b[i]) ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

template <typename E> struct CodeRow {
    std::string_view code;
    E value;
};

template <typename E, std::size_t N> class CodeTable {
    static_assert(std::is_enum_v<E> && sizeof(E) == 1, "code tables hold one-byte enumerations");
    static_assert(N >= 1, "a code table has at least one row");

  public:
    constexpr explicit CodeTable(const std::array<CodeRow<E>, N> &rows) : rows_(rows)
    {
        for (auto &slot : rowOfOrdinal_)
            slot = kNoRow;
        for (std::size_t i = 0; i < N; ++i)
            rowOfOrdinal_[ordinal(rows_[i].value)] = static_cast<std::uint8_t>(i);
        buildCodeIndex();
    }

    constexpr const std::array<CodeRow<E>, N> &rows() const { return rows_; }

    // The value of the first row: what an unknown code reads as.
    constexpr E firstValue() const { return rows_[0].value; }

    // The code of the last row holding the value; empty when no row holds it.
    constexpr std::string_view codeOf(E value) const
    {
        const std::uint8_t row = rowOfOrdinal_[ordinal(value)];
        return row == kNoRow ? std::string_view{} : rows_[row].code;
    }

    // True when some row holds the value.
    constexpr bool holds(E value) const { return rowOfOrdinal_[ordinal(value)] != kNoRow; }

    // The value of the last row whose code equals the text (ASCII case ignored); the first
    // row's value with ok false when no row matches.
    constexpr E valueOf(std::string_view code, bool &ok) const
    {
        std::size_t low = 0;
        std::size_t high = codeCount_;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const int order = compareCodesIgnoringCase(codeIndex_[middle].code, code);
            if (order == 0) {
                ok = true;
                return codeIndex_[middle].value;
            }
            if (order < 0)
                low = middle + 1;
            else
                high = middle;
        }
        ok = false;
        return firstValue();
    }

  private:
    static constexpr std::uint8_t kNoRow = 0xFF;
    static_assert(N < kNoRow, "a code table has fewer than 255 rows");

    static constexpr std::size_t ordinal(E value)
    {
        return static_cast<std::size_t>(static_cast<std::underlying_type_t<E>>(value));
    }

    // One entry per distinct code (case ignored), holding the value of the last row with that
    // code, sorted for binary search.
    constexpr void buildCodeIndex()
    {
        for (std::size_t i = 0; i < N; ++i) {
            bool merged = false;
            for (std::size_t j = 0; j < codeCount_; ++j) {
                if (compareCodesIgnoringCase(codeIndex_[j].code, rows_[i].code) == 0) {
                    codeIndex_[j].value = rows_[i].value;
                    merged = true;
                    break;
                }
            }
            if (!merged)
                codeIndex_[codeCount_++] = rows_[i];
        }
        for (std::size_t i = 1; i < codeCount_; ++i) {
            const CodeRow<E> entry = codeIndex_[i];
            std::size_t j = i;
            while (j > 0 && compareCodesIgnoringCase(codeIndex_[j - 1].code, entry.code) > 0) {
                codeIndex_[j] = codeIndex_[j - 1];
                --j;
            }
            codeIndex_[j] = entry;
        }
    }

    std::array<CodeRow<E>, N> rows_;
    std::array<std::uint8_t, 256> rowOfOrdinal_{};
    std::array<CodeRow<E>, N> codeIndex_{};
    std::size_t codeCount_ = 0;
};

// Builds a code table from its rows in table order.
template <typename E, std::size_t N> constexpr CodeTable<E, N> MakeCodeTable(const CodeRow<E> (&rows)[N])
{
    return CodeTable<E, N>(std::to_array(rows));
}

// The generic converters through which every code table is read and written.

// Code to value: the last matching row's value, or the first row's value with ok false.
template <typename E, std::size_t N>
constexpr E CodigoParaEnum(std::string_view codigo, const CodeTable<E, N> &tabela, bool &ok)
{
    return tabela.valueOf(codigo, ok);
}

// Value to code: the last row's code for the value, or the empty text.
template <typename E, std::size_t N> std::string EnumParaCodigo(E valor, const CodeTable<E, N> &tabela)
{
    return std::string(tabela.codeOf(valor));
}
