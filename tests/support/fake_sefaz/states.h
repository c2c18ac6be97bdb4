#pragma once

#include <array>
#include <string_view>

// The states with their IBGE codes, and the virtual authorisers, as the
// services INI names them.

namespace testsupport::fakesefaz {

struct State {
    std::string_view uf;
    std::string_view code;
};

// clang-format off
inline constexpr std::array<State, 27> kStates{{
    {"RO", "11"}, {"AC", "12"}, {"AM", "13"}, {"RR", "14"}, {"PA", "15"}, {"AP", "16"}, {"TO", "17"},
    {"MA", "21"}, {"PI", "22"}, {"CE", "23"}, {"RN", "24"}, {"PB", "25"}, {"PE", "26"}, {"AL", "27"},
    {"SE", "28"}, {"BA", "29"}, {"MG", "31"}, {"ES", "32"}, {"RJ", "33"}, {"SP", "35"}, {"PR", "41"},
    {"SC", "42"}, {"RS", "43"}, {"MS", "50"}, {"MT", "51"}, {"GO", "52"}, {"DF", "53"},
}};
// clang-format on

inline constexpr std::array<std::string_view, 4> kVirtualAuthorisers{"SVRS", "SVC-AN", "SVC-RS", "AN"};

// The IBGE code of a state abbreviation; `fallback` for anything else.
inline std::string_view stateCode(std::string_view uf, std::string_view fallback)
{
    for (const State &state : kStates)
        if (state.uf == uf)
            return state.code;
    return fallback;
}

} // namespace testsupport::fakesefaz
