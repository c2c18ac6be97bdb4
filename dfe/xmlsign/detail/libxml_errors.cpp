#include "dfe/xmlsign/detail/libxml_errors.h"

#include <libxml/globals.h>

LibXmlErrors::LibXmlErrors() : previousHandler_(xmlStructuredError), previousData_(xmlStructuredErrorContext)
{
    xmlSetStructuredErrorFunc(this, &LibXmlErrors::handler);
}

LibXmlErrors::~LibXmlErrors()
{
    xmlSetStructuredErrorFunc(previousData_, previousHandler_);
}

void LibXmlErrors::handler(void *self, xmlErrorPtr error)
{
    auto *errors = static_cast<LibXmlErrors *>(self);
    if (errors == nullptr || error == nullptr || error->code == 0)
        return;
    const bool isError = error->level >= XML_ERR_ERROR;
    if (errors->isError_ && !isError)
        return; // a later warning does not hide the error
    errors->code_ = error->code;
    errors->isError_ = isError;
    errors->message_ = error->message != nullptr ? error->message : "";
    while (!errors->message_.empty() && (errors->message_.back() == '\n' || errors->message_.back() == '\r' ||
                                         errors->message_.back() == ' '))
        errors->message_.pop_back();
}

std::string LibXmlErrors::suffix() const
{
    if (code_ == 0)
        return {};
    return " --> " + std::to_string(code_) + " - " + message_;
}
