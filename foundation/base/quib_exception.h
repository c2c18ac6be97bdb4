#pragma once

#include <stdexcept>
#include <string>

// Base of the exceptions raised by the fiscal-document layers.
//
// Header only: no source of its own.
class EQuibException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert to the value asked for (a number, hexadecimal
// bytes...). Raised by the strict conversions; their "…OuPadrao" forms turn it
// into a default.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
