#pragma once

#include <string>
#include <vector>

class TNFe;

// The NFC-e notes the thermal DANFE is printed from: model 65, layout 4.00,
// emitter EMPRESA DE TESTE LTDA, each with its supplement (QR code text and
// query address) and texts with accents. Their totals and payments add up.
// Implemented in sample_nfce_notes.cpp.
namespace testsupport {

// One NFC-e of the DANFE fixtures, by name:
//   "autorizada"    authorised (protocol and date), CPF consumer with an
//                   address, a description with a line break, cash with
//                   change, approximate taxes;
//   "contingencia"  offline contingency without protocol, no consumer;
//   "homologacao"   homologation, authorised, CNPJ consumer, a card payment
//                   with brand and authorisation;
//   "estrangeiro"   authorised, foreign consumer, taxpayer observations and
//                   additional information with ";";
//   "ajustes"       authorised, one item with a discount and one with a
//                   discount and freight, paid in two ways.
// Raises std::invalid_argument for another name.
void fillNfceFixture(TNFe &nfe, const std::string &name);
// Every fixture name, in the order above.
const std::vector<std::string> &nfceFixtureNames();

// An authorised NFC-e of `items` items with its supplement (the benchmark's note).
void fillNfceWithItems(TNFe &nfe, int items);

// The note as the NF-e writer writes it (an nfeProc when it has a protocol);
// sets its Id.
std::string nfceXml(TNFe &nfe);

} // namespace testsupport
