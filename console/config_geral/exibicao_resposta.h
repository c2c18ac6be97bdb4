#pragma once

#include "foundation/base/quib_exception.h"

#include <string>
#include <string_view>
#include <vector>

// The text helpers and the tree model behind the console's answer displays.
// Implemented in exibicao_resposta.cpp.

// One item of a tree view: its caption as shown and its children in order.
struct NoArvore {
    std::string legenda;
    std::vector<NoArvore> filhos;

    bool operator==(const NoArvore &) const = default;
};

// An answer that is not well-formed XML; the display it was meant for keeps
// what it showed.
class ErroXMLResposta : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

// The text without every element "<tag ...>...</tag>": while the text holds
// "<" + tag, the content between the first opening and the next closing
// marker is taken and every occurrence of the whole element removed. An
// opening marker with no closing one after it ends the removal: the rest is
// returned as it is.
std::string RemoverElementoXML(std::string_view texto, std::string_view tag);

// Every occurrence of `antigo` replaced by `novo`, scanning again after each
// replacement until `antigo` no longer occurs ("aab", "ab", "b" gives "b").
// When `novo` holds `antigo` that would never end: then one pass replaces
// each occurrence once ("aXa", "X", "XX" gives "aXXa"). An empty `antigo`
// gives the text unchanged.
std::string SubstituirTexto(std::string_view texto, std::string_view antigo, std::string_view novo);

// The document element of the XML text as a tree: each caption is a no-break
// space followed by the node's name, or by its text for text, CDATA and
// comment nodes; attributes are not shown; text nodes holding only white
// space are dropped. The text is parsed with no network access and no
// external entities. Raises ErroXMLResposta for a text that is not
// well-formed.
NoArvore ArvoreDoXML(std::string_view xml);
