#pragma once

// Runs a writer of the note screen over each staged note of a JSON file
// (arguments: <module db> <notes.json> [--note <nota>] [--now <time>]), the
// note's emitter row current, and writes what it gives to standard output.
// Implemented in monitor_request_verb.cpp.

#include "monitor_client/frm_nfe_2g.h"

#include <functional>
#include <span>
#include <string>

int runSobreNotasEncenadas(std::span<const std::string> args, const char *verbo,
                           const std::function<std::string(TfrmNFE_2G &)> &gera);
