#include <cstdio>

#include "dfe/backends.h"
#include "program/version.h"

int main()
{
    // Registrations made once at start-up, before any document is read.
    RegistraBackendsDFe();

    std::printf("NF-e console %s: the program's screens are not built yet.\n", kProgramVersion);
    return 0;
}
