#pragma once

#include <memory>

#include "foundation/xml/leitor.h"
#include "nfe/document/nfe_model.h"

// Reads the XML text of one NF-e or NFC-e (layouts 2.00, 3.10 and 4.00) into
// the document model: the inverse of the writer TNFeW. A bare `NFe`, an
// `nfeProc` (or `procNFe`) holding the `NFe` and its `protNFe`, or any other
// text holding these elements reads alike: the first occurrence of each group
// counts. Nothing is checked against the layout, the namespace, the key or
// the signature.
//
// Usage: put the document's text into Leitor().setArquivo and call
// ImportarXml. The model is never emptied as a whole: groups that the text
// lacks keep their values, and each list is emptied right before it is read.
// Read into a fresh TNFe for a clean result.
//
// Every list and item walk is linear in the size of the text.
//
// Implemented in nfe_reader.cpp (the frame and ImportarXml), the section
// readers named in detail/nfe_reader_sections.h (nfe_reader_header.cpp,
// nfe_reader_items.cpp, nfe_reader_item_taxes.cpp, nfe_reader_closing.cpp),
// nfe_reader_fields.cpp (typed reads) and nfe_reader_walk.cpp (group walk).
class TNFeR {
  public:
    // The reader of `NFe`, which the caller owns and keeps alive.
    explicit TNFeR(TNFe &NFe);

    // The XML reader holding the text; owned by this object.
    TLeitor &Leitor() { return *leitor_; }
    const TLeitor &Leitor() const { return *leitor_; }
    // Replaces the XML reader (the old one is freed); null is refused with
    // std::invalid_argument.
    void setLeitor(std::unique_ptr<TLeitor> leitor);

    TNFe &NFe() { return *nfe_; }
    void setNFe(TNFe &NFe) { nfe_ = &NFe; }

    // Reads the text held in Leitor().Arquivo() into NFe() and answers true.
    // Raises EQuibException "Documento incompleto: ..." when `infNFe`,
    // `Signature`, `infNFeSupl` or `protNFe` opens without closing (a text cut
    // short; nothing is read), "Não encontrei o atributo: Id" when the `Id` of
    // `infNFe` holds no digit, "Não encontrei o atributo: versao" when its
    // `versao` is absent or not a number, and ConversionError for malformed
    // dates, an integer or decimal element that is not one number or does not
    // fit its field (the message names the tag), an item number that is not an
    // integer, a `cMunFG` of `retTransp` or a `dia` of `forDia` that is not an
    // integer. After an error the model holds what was read so far. Date-times
    // keep the UTC offset they were read with beside them (TFusoLido).
    bool ImportarXml();

  private:
    std::unique_ptr<TLeitor> leitor_;
    TNFe *nfe_;
};
