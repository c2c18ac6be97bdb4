#pragma once

class TNFe;

// Fills a note so that every list of the model, nested lists included, holds
// items with some of their fields set. Used by the tests of the document layer.
void fillCompleteNote(TNFe &nfe, int items = 3);
