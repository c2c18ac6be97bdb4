#pragma once

#include <charconv>
#include <span>
#include <string>

class TQuibNFe;

// The "ws" operations that withdraw or fetch notes, each on the component
// loaded from the INI, with the arguments after the operation's name. Each
// answers the verb's exit code: 0 when the answer means success, 1 when the
// authority answered otherwise (its message on standard error), 2 on bad
// arguments. The component's errors pass out as exceptions.
//
// Implemented in ws_withdraw_verbs.cpp (cancel, void) and ws_dist_verb.cpp.
int wsCancel(TQuibNFe &nfe, std::span<const std::string> args);
int wsVoid(TQuibNFe &nfe, std::span<const std::string> args);
int wsDist(TQuibNFe &nfe, std::span<const std::string> args);

// The whole text as a decimal integer; false for anything else.
inline bool wsInteiro(const std::string &texto, int &numero)
{
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    return erro == std::errc() && fim == texto.data() + texto.size() && !texto.empty();
}
