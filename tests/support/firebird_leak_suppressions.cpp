// Linked into every program that runs the Firebird engine under the
// sanitizers (the app tests and nfe-check). The engine keeps process-wide
// caches it never frees; only leaks whose stack passes through Firebird's
// own libraries (and the ICU libraries they load for collations) are left
// out of reports.

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfbclient.so\nleak:libEngine12.so\nleak:libfbintl.so\nleak:libSrp.so\n"
           "leak:libicuuc.so\nleak:libicui18n.so\n";
}
