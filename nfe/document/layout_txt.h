#pragma once

// The TXT layout of the NF-e: for each layout version, the records of the
// pipe-delimited text form, the writer group that produces each record and the
// record's fields in order.
//
// The layout comes in two forms. `ObterLayoutTXT` gives the layout text as the
// TXT writer's templates need it: one line per record, "<" group id ">",
// alignment blanks, the record name and one placeholder "|" + field name +
// kMarcaCampoTXT per field, upper-cased (ASCII letters only), each line followed
// by LF and CR. `txtLayout` gives the same layout parsed once into records, for
// code that looks records and fields up by name.
//
// Implemented in layout_txt.cpp (the text and parsed forms); the record
// tables of each version in layout_txt_v110.cpp, layout_txt_v200.cpp,
// layout_txt_v310.cpp and layout_txt_v400.cpp.

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml/gerador_txt.h"

// Every field placeholder of a layout line closes with kMarcaCampoTXT, a byte
// that is not valid UTF-8 on its own, so layout text must never be searched for
// names with plain text functions: use the parsed form.

// Layout text of the version "1.10", "2.00", "3.10" or "4.00", compared
// exactly (no trimming, no other spelling); empty for any other version.
std::string ObterLayoutTXT(std::string_view versao);

// One line of a layout, parsed. Names are upper case, as in the layout text.
struct TxtLayoutRecord {
    int line = 0;                    // 1-based among the version's layout lines
    std::string groupId;             // writer group that produces the record
    std::string name;                // record name, such as "B" or "C02A"
    std::vector<std::string> fields; // field names, in order
    // Literal text after the record name on a line without fields, such as
    // "|4.00|^ID^" on the version line, "|1" on the header line and "|" on
    // the 4.00 line "N|"; empty on every line with fields.
    std::string tail;

    // 1-based position of a field among the record's fields (ASCII case
    // ignored); 0 when the record has no such field. Equals the count of "|"
    // before the field's value in a record line of a TXT file.
    int fieldPosition(std::string_view field) const;
};

// The parsed layout of one version. Built once per version and never changed.
class TxtLayout {
  public:
    TxtLayout(std::string_view version, std::string text);
    TxtLayout(const TxtLayout &) = delete;
    TxtLayout &operator=(const TxtLayout &) = delete;

    const std::string &version() const { return version_; }
    // The layout text that ObterLayoutTXT returns for this version.
    const std::string &text() const { return text_; }
    // Every layout line in layout order, header and version lines included.
    const std::vector<TxtLayoutRecord> &records() const { return records_; }

    // The record of that name (ASCII case ignored), or null.
    const TxtLayoutRecord *findRecord(std::string_view name) const;
    // The records of that group id (ASCII case ignored), in layout order;
    // empty when no line has it.
    std::span<const TxtLayoutRecord *const> recordsOfGroup(std::string_view groupId) const;

  private:
    std::string version_;
    std::string text_;
    std::vector<TxtLayoutRecord> records_;
    std::map<std::string, const TxtLayoutRecord *, std::less<>> byName_;
    std::map<std::string, std::vector<const TxtLayoutRecord *>, std::less<>> byGroup_;
};

// The parsed layout of the version (same versions and comparison as
// ObterLayoutTXT), or null for any other version. Built on first use and kept
// for the life of the process; safe to call from any thread.
const TxtLayout *txtLayout(std::string_view versao);
