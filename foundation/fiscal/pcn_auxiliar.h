#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/dates/fuso_horario.h"

// Helpers every document writer and reader leans on: IBGE state codes and
// abbreviations, the parts and the check digit of the 44-digit access key,
// checks of single layout values, free text prepared for XML and XML escapes
// undone. The time-zone rules live in foundation/dates/fuso_horario.h.
//
// Positions are 1-based. No function here raises: a value that does not
// convert makes a check answer false (or 0, -1, empty).
//
// Implemented in chave_acesso.cpp (state codes, access-key parts, check digit
// and validation), layout_checks.cpp (checks of single layout values) and
// pcn_textos.cpp (ISO date-times, fixed-width numbers, free text for XML,
// escapes undone, list prefixes).

// ---- State codes -----------------------------------------------------------

// The abbreviation of an IBGE state code; 90 and 91 give "DF"; empty for a
// code that is not valid.
std::string SiglaUFDoCodigo(int codigo);
// The IBGE code of one of the 27 abbreviations (exact case); 0 for anything
// else, "EX" (abroad) included.
int CodigoDaSiglaUF(std::string_view sigla);
// The 27 state codes, 90 and 91.
bool CodigoUFValido(int codigo);
// The 27 abbreviations and "EX", exact case.
bool SiglaUFValida(std::string_view sigla);

// ---- Access key ------------------------------------------------------------
//
// 44 digits: cUF (1-2), "YYMM" (3-6), CNPJ or "000" + CPF (7-20), model
// (21-22), series (23-25), number (26-34), emission type (35), numeric code
// (36-43), check digit (44). Model 59 has a 9-digit series at 23-31 and a
// 6-digit code at 38-43; model 66 has one more digit at 36 and a 7-digit code
// at 37-43. The functions below take the key's digits (every other character
// is dropped) unless they say otherwise.

// The modulo-11 check digit of the 43 digits of `texto` (weights 2 to 9 from
// the right; 0 for a remainder of 0 or 1). False, leaving `digito` alone,
// when the text does not hold exactly 43 digits.
bool DigitoChaveAcesso(int &digito, std::string_view texto);
bool ChaveAcessoValida(std::string_view chave);
// Why a key is not valid, in the order ChaveAcessoValida checks it; empty
// for a valid key.
std::string accessKeyProblem(std::string_view chave);

// Exactly four digits whose last two form a month 01..12.
bool AnoMesValido(std::string_view texto);
// Characters 21-22 of the text as given (not reduced to digits).
std::string ModeloDaChave(std::string_view chave);
// The first two digits; 0 when there are none.
int UFDaChave(std::string_view chave);
// The emitter's CPF (11 digits) for the combinations of model, series and
// emission type that carry one, else the 14 digits from position 7.
std::string CNPJouCPFDaChave(std::string_view chave);
int SerieDaChave(std::string_view chave);
int CodigoNumericoDaChave(std::string_view chave);
// 0 for a key of model 59, which has no emission type.
int TipoEmissaoDaChave(std::string_view chave);
// The last digit of the key.
int DigitoDaChave(std::string_view chave);
// The numeric code differs from the document number and is none of the
// forbidden sequences for 7 or 8 digits (any other `digitos` is refused).
bool CodigoNumericoValido(std::int64_t codigo, std::int64_t numero, int digitos);

// ---- Layout value checks ---------------------------------------------------

bool CNPJValido(std::string_view cnpj);
bool CPFValido(std::string_view cpf);
bool CNPJouCPFValido(std::string_view documento);
bool GTINValido(std::string_view gtin);
bool PrefixoGTINValido(std::string_view gtin);
bool InscricaoEstadualValida(std::string_view inscricao, std::string_view uf);

// 1 for a listed country code, 0 for one whose fourth digit is its modulo-11
// check digit, -1 otherwise. The code is read as four digits (zero-padded;
// the last four of a longer number).
int ConfereCodigoPais(int codigo);
// One of the 193 items of the service list (101 ... 4001).
bool ItemListaServicoValido(int codigo);
// Model of a referenced paper note: 1 or 2 from layout 4.0, 1 before it.
bool ModeloNFRefValido(int modelo, double versao);
// A 7-digit IBGE municipality code with its check digit (9999999 and nine
// codes with an irregular digit are accepted).
bool CodigoMunicipioValido(int codigo);
// Nine digits, the ninth the check digit of the first eight.
bool InscricaoSUFRAMAValida(std::string_view inscricao);

// ---- Text and numbers --------------------------------------------------------

// "YYYY-MM-DDThh:nn:ss", without fraction and zone.
std::string FormataDataHoraISO(TDateTime valor);
// Exactly n characters: zeros on the left, the last n of a longer number.
std::string InteiroEmNDigitos(std::int64_t numero, int n);

template <typename T> T EscolheVariant(bool condicao, const T &seVerdadeiro, const T &seFalso)
{
    return condicao ? seVerdadeiro : seFalso;
}

// Free text made fit for an XML element: accents folded (retirarAcentos),
// the five XML special characters written as entities, runs of blanks
// collapsed (retirarEspacos), line breaks written as `quebraLinha`
// (trocarQuebraLinha), blanks trimmed at both ends.
std::string LimpaTextoXML(bool retirarEspacos, std::string_view texto, bool retirarAcentos = true,
                          bool trocarQuebraLinha = true, std::string_view quebraLinha = ";");
// True when LimpaTextoXML would only trim `texto` (printable ASCII without an
// XML special character, and without double blanks when retirarEspacos):
// the writer then uses the trimmed text as it is, without a copy.
bool TextoXMLSoApara(std::string_view texto, bool retirarEspacos);
// The value of an element or attribute as read: a CDATA section loses its
// markers and nothing else changes; otherwise the five entities are decoded,
// then every "&#x...;" reference becomes the UTF-8 of its code point (a
// reference that is no hexadecimal code point leaves its digits in place).
// Blanks are trimmed at both ends.
std::string DesfazEscapeXML(std::string_view texto);
// `lista` is "|item|item|...|". True when "|" + item occurs in "|" + texto for
// some non-empty item (for a text without "|": when it begins with an item).
bool ComecaComItemDaLista(std::string_view texto, std::string_view lista);
// Character position (from 1) of the first occurrence of `subTexto` at or
// after position `inicio`; 0 when there is none.
int PosicaoAPartirDe(std::string_view subTexto, std::string_view texto, int inicio);
