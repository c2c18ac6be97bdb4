#pragma once

#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/dates/dfe_zone_settings.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/ssl_dgst.h"

// What the fiscal-document layers share above the plain utilities: the
// access-key builder with its random numeric code, the empty XML signature
// that the signing back-ends fill in, the Id a signature references, checks
// of foreign-trade and product numbers, the technical-responsible hash, an
// element re-wrapped with its namespace and the current time in a
// component's configured zone.
//
// Implemented in dfe_chave_acesso.cpp (numeric code and access-key builder),
// dfe_assinatura.cpp (signature template and the Id it references),
// dfe_numeros_comercio.cpp (foreign-trade and product numbers) and
// dfe_util.cpp (technical-responsible hash, namespace re-wrapping, current
// time in the component's zone).

// ---- Access key ----------------------------------------------------------------

// A numeric code of `digitos` digits (7 or 8; anything else raises
// EQuibDFeException) drawn from the random source and drawn again until
// CodigoNumericoValido accepts it for `numero`.
int SorteiaCodigoNumerico(int numero, int digitos);

// The 44-digit key: cUF (2), "YYMM" of the emission date (4), the digits of
// CNPJ or CPF (14, a CPF gets "000" in front), model (2), series (3), number
// (9), emission type (1), then the numeric code (8), or `digitoAdicional`
// (1) and the code (7) when that is not -1, and the check digit. Each field
// is zero-padded on the left, or cut to its first characters when longer.
// A code of 0 or -1 is drawn (SorteiaCodigoNumerico with 8 digits); a code
// below -1 becomes 0. Never fails.
std::string MontaChaveAcesso(int cUF, std::string_view cnpjCpf, int serie, TDateTime dataEmissao, int numero,
                             int tipoEmissao, int codigo, int modelo, int digitoAdicional = -1);

// The digits of the key in groups of four separated by one blank.
std::string FormataChaveEmBlocos(std::string_view chave);

// ---- Foreign-trade and product numbers (YY: the current year's last two digits)

// Empty or "000000000000", or 12 digits beginning with YY - 1 to YY + 1 and
// ending in 001 to 999.
bool RegistroExportacaoValido(std::string_view numero);
// 9 digits (11 lose their first two) beginning with YY - 2 to YY + 2, the last
// the modulo-11 digit of the first eight.
bool AtoDrawbackValido(std::string_view numero);
// 20 digits; the 19th and 20th are modulo-11 digits (weights 1 to 18 and 1 to 19).
bool NumeroRECOPIValido(std::string_view numero);
// Two letters followed by four digits.
bool CodigoNVEValido(std::string_view codigo);

// ---- Signatures ------------------------------------------------------------------

// True when the text, lower-cased, contains "<signature".
bool XMLAssinado(std::string_view xml);
// The empty XML-DSig Signature element, on one line: `atributosSignature`
// goes into its start tag right after the namespace (start it with a blank);
// the Reference URI is "#" + uri (empty for an empty uri); `KeyInfo` holds an
// empty X509Certificate only with `comX509`. SHA-256 and SHA-512 choose their
// RSA signature and digest identifiers; every other digest gives SHA-1.
std::string ModeloAssinaturaXML(std::string_view uri, bool comX509, std::string_view atributosSignature,
                                TSSLDgst digest);
// The value in double quotes of the first `atributo`= (default "Id") at or
// after the first "<" + `elemento` (from the start of the text when the
// element is not given or absent); empty when the attribute is absent.
// Raises EQuibDFeException when the quotes are missing.
std::string ValorIdParaAssinatura(std::string_view xml, std::string_view elemento = "",
                                  std::string_view atributo = "");

// ---- Other helpers -----------------------------------------------------------------

// SHA-1 of CSRT followed by the access key, in Base64 (28 characters).
std::string HashResponsavelTecnico(std::string_view csrt, std::string_view chaveAcesso);
// The XML declaration of the text followed by the element `tag` carrying the
// namespace: kept as it stands when it already declares one, else rebuilt
// around its content with xmlns="namespace". Empty when the element is absent.
std::string ElementoComNamespace(std::string_view xml, std::string_view tag, std::string_view ns);
// Now, from the clock: the computer's local time in tzSistema; otherwise the
// component's setting is copied into FusoHorarioGlobal and now is given in
// the offset FusoHorarioDaUF finds for the component's state.
TDateTime DataHoraAtualNoFuso(const DFeZoneSettings &componente);
