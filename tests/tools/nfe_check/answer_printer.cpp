#include "answer_printer.h"

#include <cstdio>

void AnswerPrinter::field(std::string_view name, std::string_view value) const
{
    std::printf("%s%.*s=%.*s\n", prefix_.c_str(), static_cast<int>(name.size()), name.data(),
                static_cast<int>(value.size()), value.data());
}

void AnswerPrinter::field(std::string_view name, int value) const
{
    field(name, std::to_string(value));
}

void AnswerPrinter::field(std::string_view name, Decimal value) const
{
    field(name, value.toString(2));
}

void AnswerPrinter::dateTime(std::string_view name, TDateTime value) const
{
    if (value == 0) {
        field(name, "");
        return;
    }
    const DateTimeParts p = decodeDateTime(value);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
    field(name, text);
}

AnswerPrinter AnswerPrinter::item(std::string_view list, int n) const
{
    AnswerPrinter inner;
    inner.prefix_ = prefix_ + std::string(list) + "." + std::to_string(n + 1) + ".";
    return inner;
}

AnswerPrinter AnswerPrinter::group(std::string_view name) const
{
    AnswerPrinter inner;
    inner.prefix_ = prefix_ + std::string(name) + ".";
    return inner;
}
