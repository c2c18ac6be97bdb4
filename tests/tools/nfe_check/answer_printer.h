#pragma once

// The field lines of the "answer" verb: one "<field>=<value>" line per field,
// list items as "<list>.<n>.<field>=<value>" counting from 1, date-times as
// YYYY-MM-DDThh:mm:ss (empty when not set). Implemented in answer_printer.cpp.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/dates/date_time.h"
#include "foundation/numbers/decimal.h"

class AnswerPrinter {
  public:
    void field(std::string_view name, std::string_view value) const;
    void field(std::string_view name, int value) const;
    void field(std::string_view name, Decimal value) const;
    void dateTime(std::string_view name, TDateTime value) const;

    // The printer of item `n` (from 0) of a list, or of a group: its lines
    // carry "<prefix><list>.<n + 1>." or "<prefix><group>.".
    AnswerPrinter item(std::string_view list, int n) const;
    AnswerPrinter group(std::string_view name) const;

  private:
    std::string prefix_;
};
