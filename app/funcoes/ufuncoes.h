#pragma once

#include <string>
#include <string_view>

// The two message boxes, the CNPJ/CPF check and two small text functions of
// the shell. The boxes go through the installed dialogs (app/dialogs/dialogos.h).
// Implemented in ufuncoes.cpp.

// The warning box with "ATENÇÃO ! ...  \r\n" before the text; true on OK.
bool MsgAtencao(std::string_view texto);
// The question box "Confirmação"; true on Yes.
bool MsgConfirmacao(std::string_view texto);

// Checks the digits of the number as a CPF (kind "F") or a CNPJ (any other
// kind) by the mod-11 check digits; no digit at all is valid, too few are
// not, digits beyond the 11th (CPF) or 14th (CNPJ) are ignored. When invalid
// and asked to, shows "CPF Inválido" or "CNPJ Inválido" with MsgAtencao.
bool ValidaCnpjCpf(std::string_view numero, std::string_view tipo, bool mostraMensagem);

std::string ApenasNumeros(std::string_view texto);
// The last four characters of the name in upper case (all of it when shorter).
std::string ExtensaoArquivo(std::string_view arquivo);
