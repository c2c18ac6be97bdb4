#pragma once

// Names of the files exchanged with the document monitor. A request goes to
// the exchange folder's "-fil" sub-folder, its answer comes back in "-resp"
// under "resp-" + the request's kind and the same numbers; the five note-level
// kinds may also be answered under a name without the series. The names are
// lower-cased (the monitor matches them in any case); folders are left as
// stored. Implemented in nomes_monitor.cpp.

#include <optional>
#include <string>
#include <string_view>

struct NomesMonitor {
    std::string nome;        // in "-fil" or "-resp"
    std::string alternativo; // the series-less answer name; empty when the kind has none
};

// The names for a kind (any case): "nota", "danfe", "email", "cancel",
// "consulta" (and their "resp-" forms) take kind + Z(serie,3) + Z(numero,9);
// "carta", "impcarta", "evento" (and "resp-") kind + Z(serie,3) + Z(numero,6);
// "inutiliza" (and "resp-") kind + numero + "-" + serie, plain decimal (for
// the voiding of a range, numero is its first number and serie its last);
// each followed by "#" + cnpj + ".txt". "contingencia" is "contingencia.txt".
// nullopt for any other kind.
std::optional<NomesMonitor> NomesArquivoMonitor(std::string_view tipo, int serie, int numero,
                                                std::string_view cnpj);

// The answer kind ("resp-nota" ...) of a kind that ColetaRetorno reads ("Nota",
// "Danfe", "Email", "Cancelamento", "Consulta", "inutiliza", "carta",
// "impcarta", "Evento", any case); empty for any other.
std::string TipoResposta(std::string_view tipoRetorno);

// A folder (ending in its separator) joined with a sub-folder and a name,
// with the separator the folder uses: "/" for a Linux path, "\" otherwise.
std::string JuntaCaminho(std::string_view pasta, std::string_view subpasta, std::string_view nome);
