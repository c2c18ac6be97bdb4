#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/xml/gerador.h"
#include "nfe/services/evento_nfe.h"

// A batch of NF-e events and its request "envEvento". Writer conventions as
// in TConsStatServ: field problems are alerts and a false result, the whole
// batch is written all the same, nothing raises.
//
// Implemented in env_evento_nfe.cpp (the batch and infEvento),
// env_evento_nfe_detalhe.cpp (the detEvento of each kind) and
// env_evento_nfe_leitura.cpp (loading signed or processed events).
class TEventoNFe {
  public:
    TGerador Gerador;
    std::int64_t idLote = 0;
    TInfEventoCollection Eventos;
    // The event layout version: versao of every root and detEvento, and the
    // text of verEvento.
    std::string Versao;

    // Writes the batch into Gerador.ArquivoFormatoXML (emptied first) and
    // recomputes every event's InfEvento.Id; an event whose Signature.URI is
    // set carries its Signature element. True when no alert was recorded.
    bool GerarEnvEvento();

    // Appends one item read from a signed event, an answer or a processed
    // event (TRetEventoNFe) and answers that reading's result; the item is
    // appended even when nothing was found.
    bool LerTexto(const std::string &texto);
    // LerTexto of the whole file; a file that cannot be read raises
    // EQuibException naming it.
    bool LerArquivo(const std::string &NomeArquivo);
};
