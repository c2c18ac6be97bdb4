#pragma once

#include <exception>

// The silent abort: an operation that has already told the user (or was told
// by its handler not to) ends by raising SilentAbort. It is not a
// ProgramError on purpose, so `catch (const ProgramError &)` never shows it as
// a failure; callers that must tidy up catch it, and the application-wide
// handler passes over it without a message.
//
// Header only: no source of its own.
class SilentAbort : public std::exception {
  public:
    const char *what() const noexcept override { return "Operation aborted"; }
};
