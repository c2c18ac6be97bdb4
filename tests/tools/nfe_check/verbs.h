#pragma once

#include <span>
#include <string>

class TDadosCertificado;

// One command of nfe-check: `nfe-check <name> <arguments...>`.
struct Verb {
    const char *name;
    const char *usage;   // argument synopsis shown by --help
    const char *summary; // one line shown by --help
    int (*run)(std::span<const std::string> args);
};

// Every verb the tool knows, in the order --help lists them.
std::span<const Verb> allVerbs();

// Prints a certificate's fields as name=value lines (cert_verbs.cpp).
void printCertificateData(const TDadosCertificado &dados);
