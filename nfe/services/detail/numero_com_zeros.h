#pragma once

// Whole numbers written with a fixed number of digits in the requests.
//
// Implemented in numero_com_zeros.cpp.

#include <string>
#include <string_view>

namespace nfe_services {

// The number that the text writes (digits only, blanks around them allowed),
// without its leading zeros, completed with zeros on the left to `digitos`;
// a longer number is written whole, never cut, so that the writer's size
// check reports it. A text that is not such a number gives `digitos` zeros.
std::string numeroComZeros(std::string_view texto, int digitos);

} // namespace nfe_services
