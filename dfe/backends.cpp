#include "dfe/backends.h"

#include "dfe/crypto/dfe_openssl.h"
#include "dfe/crypto/dfe_wincrypt.h"

#include <mutex>

void RegistraBackendsDFe()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // One line per back-end of this build.
        registerOpenSslCryptBackend();
        registerWinCryptBackend();
    });
}
