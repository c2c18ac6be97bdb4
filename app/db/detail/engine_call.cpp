#include "app/db/detail/engine_call.h"

#include "app/db/firebird_root.h"

#include <cstdlib>
#include <mutex>

namespace db::detail {

namespace {

void shutDownEngine()
{
    // Closes what is still attached and stops the engine's threads, so an
    // embedded database is left consistent and the process exits cleanly.
    fb_shutdown(0, fb_shutrsn_exit_called);
}

} // namespace

Firebird::IMaster *master()
{
    static Firebird::IMaster *const instance = [] {
        prepareFirebirdEnvironment();
        Firebird::IMaster *m = Firebird::fb_get_master_interface();
        std::atexit(shutDownEngine);
        return m;
    }();
    return instance;
}

} // namespace db::detail
