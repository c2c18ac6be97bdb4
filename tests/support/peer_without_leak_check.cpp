// Linked into the test peers that run the Firebird engine as child processes
// of a test (the fake document monitor, the killed batch writer) in place of
// the exit leak check. Now and then the sanitizer's thread scan at exit
// crashes on a thread the engine's client leaves behind, and the peer's exit
// status then fails the test that stopped it; the peers are test code, and
// the tests' own processes keep their leak check.

extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}
