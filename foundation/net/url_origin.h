#pragma once

#include <string_view>

// Whether two absolute URLs point at the same origin: the same scheme, host and
// port, compared without regard to case, a missing port being the scheme's
// default ("http://H/a" and "http://h:80/b" are the same origin; a bare host
// such as "www.h/a" is read as http, as the redirects do). A URL that
// does not parse is the same origin as nothing, so callers that guard
// credentials with it err on the safe side.
bool sameOrigin(std::string_view a, std::string_view b);
