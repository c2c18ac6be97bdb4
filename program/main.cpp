#include <cstdio>

#include "dfe/backends.h"
#include "foundation/codes/conversao_nfe.h"
#include "program/version.h"

int main()
{
    // Registrations made once at start-up, before any document is read.
    RegistraConversorTipoEventoNFe();
    RegistraBackendsDFe();

    std::printf("NF-e console %s: the program's screens are not built yet.\n", kProgramVersion);
    return 0;
}
