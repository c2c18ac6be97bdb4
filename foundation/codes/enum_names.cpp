// The enumeration name helpers are header-only; this unit keeps the header compiling on its own.
#include "foundation/codes/enum_names.h"
