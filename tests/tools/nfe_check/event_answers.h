#pragma once

// The "answer" verb's readers of event, situation and voiding texts (rows of
// kRaizes in answer_verbs.cpp). Each prints the fields in the reader's field
// order and answers the reader's result. Implemented in event_answers.cpp.

#include <string>

// evento, retEvento, retEnvEvento and procEventoNFe.
bool eventAnswer(const std::string &texto);
// retConsSitNFe.
bool situationAnswer(const std::string &texto);
// inutNFe, retInutNFe and ProcInutNFe.
bool voidingAnswer(const std::string &texto);
