#pragma once

#include <string>

class TNFe;
struct TEmit;
struct TveicProd;
struct TDetCollectionItem;

// The sample notes every test and benchmark builds its documents from. Each
// note is self-consistent: its keys carry their right check digit and its
// totals and payment match its items, whatever their number. Implemented in
// sample_notes.cpp (the model notes), sample_note_texts.cpp (ready XML and
// TXT texts of N items, for the readers) and sample_txt_notes.cpp (the notes
// that use every record of the TXT layouts).
namespace testsupport {

// An NF-e access key (emitter 12345678000195, series 1, number 1234, numeric
// code 00001234) with its check digit; the notes refer to it.
inline constexpr const char *kSampleKey = "35240512345678000195550010000012341000012344";

// The access key of the 43 digits given with its check digit appended;
// std::invalid_argument when they are not 43 digits.
std::string accessKey(const std::string &digits43);

// The one issuing company: EMPRESA DE TESTE LTDA, CNPJ 11222333000181, São
// Paulo, normal tax regime, every address field set.
void fillEmitter(TEmit &emit);

// The one vehicle: a new car sold by a dealer, every field of the group set
// with values the 4.00 schema accepts.
void fillVehicle(TveicProd &vehicle);

// A note in which every list of the model, nested lists included, holds
// items with some of their fields set.
void fillCompleteNote(TNFe &nfe, int items = 3);

// A 4.00 NF-e (model 55, homologation) with every header and closing group
// and one item of 100.00 exempt from taxes, which the totals, the invoice and
// the payment (150.00 with 50.00 change) add up to; numeric code 0 (drawn by
// the writer).
void fillFrameNote(TNFe &nfe);

// A note of the model (55 or 65) and layout version without items: header,
// emitter, recipient (model 55 only), transport and one cash payment; totals
// and payment at zero until items are added.
void fillNoteWithoutItems(TNFe &nfe, int model = 55, double version = 4.0);

// Appends an item of goods numbered after the ones already there (valid
// product data, ICMS CST 00 at 18 % on 10.00, PIS and COFINS CST 01 at zero)
// and adds its value to the totals and to the payment.
TDetCollectionItem &addGoodsItem(TNFe &nfe);

// A complete NF-e or NFC-e (model 55 or 65) of `items` items of goods.
void fillNoteWithItems(TNFe &nfe, int items, int model = 55);

// A 4.00 NF-e of `items` items that carry ICMS (CST 00, 10 and 60 in turn),
// IPI, PIS and COFINS, with the totals of those items: the note the writer's
// benchmarks write.
void fillTaxedNote(TNFe &nfe, int items);

// The text of an authorised 4.00 note (nfeProc) of `items` items, laid out as
// the writer lays it out: goods with ICMS, IPI, PIS and COFINS, a batch and
// an observation; the key is kSampleKey.
std::string authorisedNoteXml(int items);

// The TXT-layout text (4.00) of a note of `items` items; the key is kSampleKey.
std::string noteTxt(int items);

// Notes that together use every record of the TXT layouts 3.10 and 4.00, with
// every field those records carry filled (only fields the layout of the
// version has). `version` is 3.1 or 4.0.
//
// Normal tax regime: every reference kind, every party and place, items with
// every ICMS situation of the regime and every form of IPI, PIS, COFINS and
// their ST groups, every product group, and every closing group.
void fillTxtNoteNormal(TNFe &nfe, double version);
// Simples Nacional: the CSOSN situations, a recipient and places with CPF,
// a card payment.
void fillTxtNoteSimples(TNFe &nfe, double version);
// A foreign recipient, a tax office that issued the note and a service item.
void fillTxtNoteServico(TNFe &nfe, double version);

} // namespace testsupport
