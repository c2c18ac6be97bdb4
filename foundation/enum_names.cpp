// The enumeration name helpers are header-only; this unit keeps the header compiling on its own.
#include "foundation/enum_names.h"
