#pragma once

// The staged-notes loader: fills the client's in-memory note tables from a
// JSON object, as the suite would stage a run. The object holds one array
// per table ("tblNotas", "tblItens", "tblObsCorpo", "tblFatura",
// "tblVolumes", "tblLotesMed"; names in any case), each row an object keyed
// by the table's field names (any case): texts, memos and blobs as strings,
// integers, words and reals as numbers, booleans as true/false, dates as
// "dd/mm/yyyy". Missing fields keep the table's new-row defaults and every
// row passes the table's post rule. The tables are opened empty first.
//
// An unknown table or field, a value of the wrong type, a date that is no
// date or a text longer than its field stops the load with StagedNotesError
// naming the table, the row (1-based) and the field. Implemented in
// staged_notes.cpp.

#include <stdexcept>
#include <string>
#include <string_view>

class TabelasNotas;

namespace testsupport {

class StagedNotesError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void loadStagedNotes(std::string_view json, TabelasNotas &tabelas);
void loadStagedNotesFile(const std::string &path, TabelasNotas &tabelas);

} // namespace testsupport
