#pragma once

#include <string>
#include <vector>

// The printers the CUPS scheduler knows. Implemented in impressoras_cups.cpp.
struct ListaImpressoras {
    std::vector<std::string> nomes; // "queue" or "queue/instance", as CUPS lists them
    int atual = -1;                 // index of the default printer, -1 without one
};

// Asks the scheduler named by the CUPS settings (CUPS_SERVER, client.conf);
// an empty list when no scheduler answers. Never raises.
ListaImpressoras impressorasCups();
