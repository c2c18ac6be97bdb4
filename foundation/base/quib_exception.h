#pragma once

#include <stdexcept>
#include <string>

// The exception family of the program. Every error the libraries raise for a
// failure at run time (bad input, a file, a stream, a peer) is a ProgramError:
// the fiscal-document errors under EQuibException, and beside them the
// conversion, file and compression errors, which callers catch apart.
// Contract violations (a list index out of range, a null reader) raise the
// standard logic errors and Decimal arithmetic its overflow and domain errors;
// neither belongs to the family. docs/conventions.md lists every type.
//
// Header only: no source of its own.

// The root of the family; raised as such only where no narrower type fits.
class ProgramError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Base of the exceptions raised by the fiscal-document layers.
class EQuibException : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// A text that does not convert to the value asked for (a number, hexadecimal
// bytes...). Raised by the strict conversions; their "…OuPadrao" forms turn it
// into a default.
class ConversionError : public ProgramError {
  public:
    using ProgramError::ProgramError;
};
