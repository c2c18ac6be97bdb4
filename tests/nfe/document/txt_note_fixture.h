#pragma once

class TNFe;

// Notes that together use every record of the TXT layouts 3.10 and 4.00, with
// every field those records carry filled (only fields the layout of the
// version has). `versao` is 3.1 or 4.0.

// Normal tax regime: every reference kind, every party and place, items with
// every ICMS situation of the regime and every form of IPI, PIS, COFINS and
// their ST groups, every product group, and every closing group.
void fillTxtNoteNormal(TNFe &nfe, double versao);
// Simples Nacional: the CSOSN situations, a recipient and places with CPF,
// a card payment.
void fillTxtNoteSimples(TNFe &nfe, double versao);
// A foreign recipient, a tax office that issued the note and a service item.
void fillTxtNoteServico(TNFe &nfe, double versao);
