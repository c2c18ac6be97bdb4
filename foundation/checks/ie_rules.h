#pragma once

#include <array>
#include <string>
#include <string_view>

// State-registration (Inscrição Estadual) rules: one rule per state and
// format, read by the shared check `TQuibValidador::ValidarIE` (validador.h).
//
// Positions are counted from the right of the registration: position 0 is its
// last character. Registrations are checked padded on the left with blanks to
// 14 characters.

inline constexpr int kPosicoesIE = 14;

// How one check digit is computed.
struct TDigitoIE {
    // Letters that change the computation:
    //   A  the tens of every product are summed apart and added after the loop;
    //   B  (without A) the sum is multiplied by 10 after the loop;
    //   C  (without A or B) 5 + 4 * ValorPara11 is added after the loop;
    //   E  the digit is the modulus minus the remainder (else the remainder);
    //   D  marks a rule whose digit is the remainder (no effect of its own).
    std::string Letras;
    int Modulo = 0;
    // Row of the weight table (1 to 14); 0 = there is no such digit.
    int LinhaPesos = 0;
};

struct TRegraIE {
    // Characters the registration must have; 0 = no rule for the state.
    int Tamanho = 0;
    // Entry c constrains the character at position c from the right:
    //   ""     the position lies left of the registration (a padding blank);
    //   "DVX"  a digit, the first check digit;  "DVY"  a digit, the second;
    //   "0-9", "1-9"   a character within the range;
    //   "1,2", "0,9"   one of the listed characters;
    //   "0", "P"       exactly that character.
    std::array<std::string, kPosicoesIE> Padrao;
    TDigitoIE PrimeiroDigito{"E", 11, 1};
    TDigitoIE SegundoDigito{};
    // Digit used when the computation gives 10 (resp. 11).
    int ValorPara10 = 0;
    int ValorPara11 = 0;
};

// The rule of the state `uf` for a registration (digits, or "P" and digits).
// The format is chosen by the registration's length or first character. For
// BA a registration shorter than 9 and for MT one of 9 characters is first
// padded with "0" to the state's length, in place.
TRegraIE RegraIEdaUF(std::string &inscricao, std::string_view uf);

// The weight of position c (from the right) in a row (1 to 14) of the table.
int PesoIE(int linha, int posicao);

// A check digit of a registration padded with blanks to 14 characters.
int DigitoVerificadorIE(std::string_view inscricaoPreenchida, const TDigitoIE &digito, const TRegraIE &regra);
