#pragma once

// The in-memory form of one NF-e (model 55) or NFC-e (model 65): a tree of
// plain records that mirrors the XML layout element by element, each field
// named after the element or attribute that carries it.
//
// Every group exists from the document's construction until its destruction
// and is held by value; only list items come and go. Lists own their items.
// A document is used by one thread at a time and is not copyable.

#include "nfe/document/nfe_additional.h"
#include "nfe/document/nfe_identification.h"
#include "nfe/document/nfe_item.h"
#include "nfe/document/nfe_parties.h"
#include "nfe/document/nfe_payment.h"
#include "nfe/document/nfe_totals.h"
#include "nfe/document/nfe_transport.h"
#include "nfe/document/proc_nfe.h"
#include "nfe/document/signature.h"

class TNFe {
  public:
    // An empty document: version not set, Brazil in the emitter's and the
    // recipient's addresses, every other field at its group's default.
    TNFe();
    TNFe(const TNFe &) = delete;
    TNFe &operator=(const TNFe &) = delete;

    TInfNFe infNFe;
    TIde ide;
    TEmit emit;
    TAvulsa avulsa;
    TDest dest;
    TRetirada retirada;
    TEntrega entrega;
    TDetCollection det;
    TTotal total;
    TTransp transp;
    TCobr cobr;
    TpagCollection pag;
    TinfIntermed infIntermed;
    TInfAdic infAdic;
    TExporta exporta;
    TCompra compra;
    TCana cana;
    TSignature Signature;
    TProcNFe procNFe;
    TautXMLCollection autXML;
    TinfNFeSupl infNFeSupl;
    TinfRespTec infRespTec;
};
