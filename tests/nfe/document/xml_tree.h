#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A small reader of the well-formed XML that the document writers produce,
// for the tests: elements, attributes as written, text (CDATA kept as text).
// No comments, processing instructions or DTDs are expected.
struct NoXml {
    std::string nome;
    std::string atributos; // the text after the name in the opening tag
    std::string texto;     // content of a leaf element, entities kept as written
    std::vector<std::unique_ptr<NoXml>> filhos;

    // The first element with this name at any depth below (depth first), or null.
    const NoXml *busca(std::string_view procurado) const;
    // Every element with this name at any depth below, in document order.
    std::vector<const NoXml *> buscaTodos(std::string_view procurado) const;
    // The element names of the direct children, separated by one blank.
    std::string nomesDosFilhos() const;
    // The text of the first child with this name; empty when absent.
    std::string textoDoFilho(std::string_view procurado) const;
    bool temFilho(std::string_view procurado) const;
};

// Parses the text into a root that holds the top-level elements. Throws
// std::runtime_error on markup that does not balance.
std::unique_ptr<NoXml> leXml(std::string_view xml);
