#pragma once

// Pieces of the event batch writer shared by its sources.
//
// Implemented in env_evento_nfe.cpp (dataHoraDoEvento, escreveDocumento) and
// env_evento_nfe_detalhe.cpp (escreveDetalheDoEvento).

#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/xml/gerador.h"
#include "nfe/services/evento_nfe.h"

namespace nfe_services {

// The message of a field whose content fails its check.
inline constexpr std::string_view kConteudoInvalido = "Conteúdo inválido";

// A date-time of an event, year-month-day T hh:mm:ss, followed by the UTC
// offset of the state of IBGE code `cUF` at that moment.
std::string dataHoraDoEvento(TDateTime valor, int cUF);

// The digits of `documento` as element CPF (11 digits) or CNPJ (14 digits),
// each followed by the "Conteúdo inválido" alert when its check digits fail;
// any other length writes nothing.
void escreveDocumento(TGerador &gerador, const std::string &digitos, std::string_view idCNPJ,
                      std::string_view idCPF);

// The detEvento fields of the event's kind, written after descEvento.
void escreveDetalheDoEvento(TGerador &gerador, const TInfEvento &evento);

} // namespace nfe_services
