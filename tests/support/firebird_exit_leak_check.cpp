// Linked, beside the leak suppressions, into every program that runs the
// Firebird engine under the sanitizers. The client library keeps a thread of
// its own parked on a semaphore until its static destructors release it at
// exit; the leak check at exit runs after those and, stopping every thread to
// scan it, now and then meets that thread half way out and crashes ("Tracer
// caught signal 11"). So the check is run here instead: after the engine's
// exit handler has stopped the engine (this one is registered before the
// engine's first use, so it runs after it) and before the client library's
// destructors, while its thread is still parked. The check at exit then
// does not run again.

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

void checkLeaksWhileTheEngineThreadIsParked()
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}

const bool registered = std::atexit(checkLeaksWhileTheEngineThreadIsParked) == 0;

} // namespace
