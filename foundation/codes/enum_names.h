#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

// Value names of the program's one-byte enumerations.
//
// Each enumeration declares, next to itself, a specialisation of `kEnumNames`
// listing every value with its name in ordinal order:
//
//   enum TpcnTipoAmbiente : std::uint8_t { taProducao, taHomologacao };
//   template <> inline constexpr auto kEnumNames<TpcnTipoAmbiente> =
//       std::to_array<EnumName<TpcnTipoAmbiente>>({{taProducao, "taProducao"},
//                                                  {taHomologacao, "taHomologacao"}});
//
// Ordinals may have gaps (empty values use 255), so each row carries its value.

template <typename E> struct EnumName {
    E value;
    std::string_view name;
};

template <typename E> inline constexpr std::array<EnumName<E>, 0> kEnumNames{};

// The name of a value; empty for a value the table does not hold.
template <typename E> constexpr std::string_view EnumValueName(E value)
{
    const auto &table = kEnumNames<E>;
    const auto ordinal = static_cast<std::size_t>(static_cast<std::underlying_type_t<E>>(value));
    if (ordinal < table.size() && table[ordinal].value == value)
        return table[ordinal].name;
    for (const auto &row : table) {
        if (row.value == value)
            return row.name;
    }
    return {};
}

// The value with a given name (exact spelling), or nothing.
template <typename E> constexpr std::optional<E> EnumValueFromName(std::string_view name)
{
    for (const auto &row : kEnumNames<E>) {
        if (row.name == name)
            return row.value;
    }
    return std::nullopt;
}

// Number of values an enumeration has.
template <typename E> constexpr std::size_t EnumCount()
{
    return kEnumNames<E>.size();
}

// True when the table lists its values in strictly increasing ordinal order.
template <typename E> constexpr bool EnumNamesInOrdinalOrder()
{
    const auto &table = kEnumNames<E>;
    return std::is_sorted(table.begin(), table.end(), [](const EnumName<E> &a, const EnumName<E> &b) {
        return static_cast<std::underlying_type_t<E>>(a.value) <=
               static_cast<std::underlying_type_t<E>>(b.value);
    });
}
