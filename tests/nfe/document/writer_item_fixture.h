#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml_tree.h"

class TNFe;
class TNFeW;

// Writing notes and looking at the shape of what was written, for the tests
// of the item sections of the NF-e writer.

// The outcome of one run of the writer.
struct NotaEscrita {
    bool semAlertas = false;
    std::string xml;
    std::vector<std::string> alertas;
    std::unique_ptr<XmlNode> arvore;

    // The det element of the item at this 0-based position; fails the test when absent.
    const XmlNode &det(int posicao = 0) const;
    // The alert lines that contain the text.
    std::vector<std::string> alertasCom(std::string_view texto) const;
};

// Writes the note with a new writer; `ajusta` may set the writer's options first.
NotaEscrita escreveNota(TNFe &nfe, const std::function<void(TNFeW &)> &ajusta = {});

// The shape of an element: its name, then its children in parentheses,
// groups nested the same way: "PIS(PISAliq(CST vBC pPIS vPIS))".
std::string estrutura(const XmlNode &no);
// The shape of the first element `grupo` below `pai`; "-" when there is none.
std::string estruturaDe(const XmlNode &pai, std::string_view grupo);
