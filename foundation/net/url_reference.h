#pragma once

#include <string>
#include <string_view>

// The target of a URI reference (such as the Location of a redirect) read
// against the URI it was found at, as RFC 3986 section 5.2 resolves it:
// "/x" against "http://h/a/b" gives "http://h/x", "c?q" gives
// "http://h/a/c?q", "../d" gives "http://h/d", "//g/p" keeps the base's scheme,
// and a reference with a scheme of its own stands alone (dot segments removed).
std::string resolveUrlReference(std::string_view base, std::string_view reference);
