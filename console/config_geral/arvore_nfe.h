#pragma once

#include "console/config_geral/exibicao_resposta.h"

class TNFe;

// The field tree the console shows for an imported note: a pure function of
// the document model. The root's caption is the note's `infNFe.Id`; below it
// one node per group and one leaf per field, each leaf its label followed at
// once by the value as text. Repeated groups carry their number in three
// digits counting from 1 ("Produto001", "Lacre002001").
//
// Values: layout codes for the enumerations, decimal text for integers,
// amounts in their shortest decimal form with "." ("100", "18.5"), dates
// "dd/mm/yyyy", date-times "dd/mm/yyyy hh:nn:ss", the time of exit
// "hh:nn:ss"; a date, date-time or time that is not set is empty. Groups
// with a condition (avulsa, vehicle, fuel, IPI, II, the ST groups, ISSQN
// totals, exporta, compra) appear only when it holds; import declarations
// stop at the first one without a number. Referenced documents hang each
// under the one before it, the first under "Ide"; a volume's seals likewise,
// the first under its "Volume".
//
// Implemented in arvore_nfe.cpp (the note's groups) and arvore_nfe_itens.cpp
// (one item).
NoArvore ArvoreNFe(const TNFe &nfe);
