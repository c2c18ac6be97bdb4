#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "printing/device/device_errors.h"

// The printers of the print scheduler (the one CUPS_SERVER or the client
// configuration names), through libcups. Every talk to the scheduler opens
// its own connection, bounded by a connect time-out and a time-out for each
// answer.

struct InstalledPrinters {
    std::vector<std::string> nomes; // sorted by name
    int padrao = -1;                // index of the default printer, -1: none
};

// The scheduler's printer list; empty when no scheduler answers.
InstalledPrinters listInstalledPrinters(int timeOutMilissegundos = 3000);

// Whether the name is that of an installed printer (case ignored).
bool isInstalledPrinter(std::string_view nome);

// Prints the bytes unchanged as one raw job titled `titulo` on the printer.
// Every step is checked: a failure cancels the job and raises
// EQuibDeviceError "Erro ao imprimir na impressora [<printer>]: " followed by
// the scheduler's message.
void printRawJob(const std::string &impressora, const std::string &titulo, std::string_view bytes,
                 int timeOutMilissegundos = 3000);
