#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Printed forms of phone numbers, CPF, CNPJ, state registrations and CEP.
// They only format: validity is the validator's business (validador.h).

// Fills a mask from the right: each "*" takes the next character of the
// trimmed value from its end ("0" once the value is used up); other mask
// characters are copied. The result has the mask's length; extra characters
// at the left of the value are dropped.
std::string AplicaMascaraNumerica(std::string_view valor, std::string_view mascara);

// A phone by its digit count, with the default area code put in front of a
// number of 9 digits or fewer; empty when there is no number.
std::string MascaraTelefone(std::string_view telefone, std::string_view dddPadrao = {});

std::string MascaraCPF(std::string_view texto);  // 999.999.999-99
std::string MascaraCNPJ(std::string_view texto); // 99.999.999/9999-99
// 14 digits as a CNPJ, any other count as a CPF, nothing as nothing.
std::string MascaraCNPJouCPF(std::string_view texto);

// The mask of a state's registrations ("*" per character).
std::string PadraoIEdaUF(std::string_view inscricao, std::string_view uf);
// The registration in its state's form; "ISENTO" is returned unchanged.
std::string MascaraInscricaoEstadual(std::string_view inscricao, std::string_view uf);

std::string MascaraCEP(std::string_view texto); // 99999-999
std::string MascaraCEPNumerico(std::int64_t cep);
