#pragma once

#include <string>
#include <string_view>

#include <libxml/xmlerror.h>

// Collects the errors libxml2 reports on the calling thread while an object
// of this type lives: it installs itself as the thread's structured error
// handler and puts the previous handler back when destroyed, so no other
// libxml2 user and no other thread sees a change. Contexts that take their
// own handler (schema parser and validator) are pointed at `handler()`.
class LibXmlErrors {
  public:
    LibXmlErrors();
    ~LibXmlErrors();
    LibXmlErrors(const LibXmlErrors &) = delete;
    LibXmlErrors &operator=(const LibXmlErrors &) = delete;

    // The receiver to hand to libxml2 contexts, with `this` as its data.
    static void handler(void *self, xmlErrorPtr error);

    bool any() const { return code_ != 0; }
    // The last error (a warning only when no error came): " --> " + its
    // decimal code + " - " + its message; empty when nothing was reported.
    std::string suffix() const;
    // The message followed by suffix().
    std::string withSuffix(std::string_view message) const { return std::string(message) + suffix(); }

  private:
    xmlStructuredErrorFunc previousHandler_;
    void *previousData_;
    int code_ = 0;
    bool isError_ = false;
    std::string message_;
};
