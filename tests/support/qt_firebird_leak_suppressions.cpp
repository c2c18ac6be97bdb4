// Linked, in place of the two single lists, into the Qt test program whose
// screens also run the Firebird engine: the caches of both (see
// qt_leak_suppressions.cpp and firebird_leak_suppressions.cpp).

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\nleak:libqoffscreen.so\n"
           "leak:libfontconfig.so\nleak:libfbclient.so\nleak:libEngine12.so\nleak:libfbintl.so\nleak:libSrp."
           "so\n"
           "leak:libicuuc.so\nleak:libicui18n.so\n";
}
