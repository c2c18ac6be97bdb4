#pragma once

// The section readers of TNFeR, in the order ImportarXml runs them. Each one
// extracts its groups from the whole text (level 0) and fills the model; the
// version is TInfNFe::VersaoOuPadrao of the document being read.
//
// Each block below names the source that implements it.

#include "nfe/document/detail/nfe_reader_walk.h"
#include "nfe/document/nfe_model.h"

namespace nfe_reader {

// Header groups (nfe_reader_header.cpp).
void lerIde(LeitorNFe &leitor, TNFe &nfe, double versao);
void lerEmit(LeitorNFe &leitor, TNFe &nfe);
void lerAvulsa(LeitorNFe &leitor, TNFe &nfe);
void lerDest(LeitorNFe &leitor, TNFe &nfe, double versao);
void lerRetiradaEntrega(LeitorNFe &leitor, TNFe &nfe);
void lerAutXML(LeitorNFe &leitor, TNFe &nfe);

// Items (nfe_reader_items.cpp): empties `det` and reads every `det` element.
// `aspas` is the quote character of the document's attributes.
void lerItens(LeitorNFe &leitor, TNFe &nfe, char aspas);

// The taxes of one item (nfe_reader_item_taxes.cpp), with the item's `det`
// element at level 1: `imposto` when `presente`, else its fields read as
// absent; then `impostoDevol` and `obsItem` when `presente`.
void lerTributosDoItem(LeitorNFe &leitor, const TNFe &nfe, TDetCollectionItem &item, bool presente);

// Closing groups (nfe_reader_closing.cpp).
void lerTotal(LeitorNFe &leitor, TNFe &nfe, double versao);
void lerTransp(LeitorNFe &leitor, TNFe &nfe);
void lerCobr(LeitorNFe &leitor, TNFe &nfe);
void lerPag(LeitorNFe &leitor, TNFe &nfe, double versao);
void lerInfIntermed(LeitorNFe &leitor, TNFe &nfe);
void lerInfAdic(LeitorNFe &leitor, TNFe &nfe);
void lerExporta(LeitorNFe &leitor, TNFe &nfe);
void lerCompra(LeitorNFe &leitor, TNFe &nfe);
void lerCana(LeitorNFe &leitor, TNFe &nfe);
void lerInfRespTec(LeitorNFe &leitor, TNFe &nfe);

} // namespace nfe_reader
