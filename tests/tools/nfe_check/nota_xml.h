#pragma once

// Reading an NF-e XML file for the verbs that take one ("xml", "xml2txt"),
// and the check that the identifiers of the note agree once written
// (nota_xml.cpp).

#include <string>
#include <vector>

#include "nfe/document/nfe_model.h"

// Reads the note of `caminho` into `nfe`, its text (lerArquivo) into `texto`. On failure
// prints the reason on standard error and answers false.
bool importarNotaXml(const std::string &caminho, TNFe &nfe, std::string &texto);

// The identifiers of a note as read, to compare with those the writer makes.
struct IdentificadoresLidos {
    std::string id;
    int cDV = 0;
    std::string uri;   // Reference URI of the signature
    std::string chNFe; // key of the protocol
};
IdentificadoresLidos identificadoresDe(const TNFe &nfe);

// After TNFeW::MontarXml: one message per identifier that contradicts the
// others (the access key rebuilt from ide and emit, the check digit cDV, the
// signature's reference, the key of the protocol); empty when they agree.
std::vector<std::string> contradicoesDaNota(const IdentificadoresLidos &lidos, const TNFe &escrita);
