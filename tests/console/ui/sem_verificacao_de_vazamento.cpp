// The window's smoke test runs without the leak check at exit: it crashes
// there scanning a dynamic TLS block of a library unloaded earlier.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}
