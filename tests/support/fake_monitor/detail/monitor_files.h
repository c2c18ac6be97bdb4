#pragma once

// Internal pieces of the fake document monitor. Implemented by
// request_files.cpp (names and request lines), request_check.cpp (check
// mode), export_check.cpp (export files) and answers.cpp (answer contents,
// access keys, answer bytes).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/fake_monitor.h"

namespace testsupport::monitor {

// The text with A-Z lowered (names and keys are ASCII).
std::string lowerAscii(std::string_view text);

// The kind of a request name in "-fil" (lower case: "nota", "danfe", "email",
// "cancel", "consulta", "carta", "impcarta", "evento", "inutiliza",
// "contingencia"), taken from its first letters in any case; "" when the name
// does not end in ".txt" or starts with no kind (a temporary name).
std::string requestKind(std::string_view name);

// True for an export file name "nota_N-S.txt" (any case).
bool isExportName(std::string_view name);

// Splits the request text (UTF-8, CR LF or LF) into sections and key lines.
void readRequestLines(MonitorRequest &request);

// Wildcard match ('*', '?'), any case.
bool matchesPattern(std::string_view pattern, std::string_view name);

// The first fault of a request file's raw bytes against the client's line
// format ("linha N: ..."), "" when there is none: CR LF line ends, Windows-1252
// text, the indent of headers and keys (headers at 0, 2, 6 or 10 by section,
// keys at 4, 5, 8 or 12 under them, at 0 in short requests), keys padded to
// 15 before " = ", note sections in document order, numbers with "." as
// decimal point and no thousands separator.
std::string firstFault(std::string_view bytes);

// How the NF-e TXT reader takes an export file's raw bytes: "TXT 2.00 lido:
// nota N serie S, K item(ns)" (with the count and first of its warnings when
// it has any), or "TXT recusado: <reason>" for a file it refuses, a field it
// cannot convert or a layout other than 2.00. Never raises.
std::string exportVerdict(std::string_view bytes);

using AnswerLines = std::vector<std::pair<std::string, std::string>>;

// The 44-digit access key of a note request; raises FakeMonitorError naming
// the field that is missing or holds no number.
std::string chaveDaNota(const MonitorRequest &request);

struct AnswerContext {
    long long &nextNumber;                     // RECIBO and NPROTOCOLO run on it
    const std::vector<std::string> &cancelled; // keys cancelled so far
    std::string pdfPath;                       // PATHPDF of "danfe"; "" for none
};

// The default answer of a request (RESULTADO first); empty for the kinds that
// get none ("contingencia", export files).
AnswerLines defaultAnswer(const MonitorRequest &request, AnswerContext &context);

// The series-less name of an answer ("resp-nota001000000123#C.txt" gives
// "resp-nota000000123#C.txt"); the name itself for kinds that have none.
std::string alternateAnswerName(std::string_view kind, std::string_view answerName);

// The answer bytes: KEY=VALUE lines joined by CR LF (the last one too unless
// finalBreak is false), in Windows-1252 unless utf8 is set.
std::string answerBytes(const AnswerLines &lines, bool utf8, bool finalBreak);

} // namespace testsupport::monitor
