// Linked into nfe-console only in sanitizer builds. The program runs the
// Firebird engine (whose caches and character-set converters live until the
// process ends) and Qt on a real display (its platform plugin, fonts and the
// session bus connection): those libraries' one-time allocations are not
// leaks of ours and would turn every clean exit into exit code 1.

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\nleak:libQt6XcbQpa.so\n"
           "leak:libqxcb.so\nleak:libqoffscreen.so\nleak:libfontconfig.so\nleak:libdbus-1.so\n"
           "leak:libxcb\nleak:libfbclient.so\nleak:libEngine12.so\nleak:libfbintl.so\nleak:libSrp.so\n"
           "leak:libicuuc.so\nleak:libicui18n.so\nleak:__gconv_open\nleak:__gconv_lookup_cache\n";
}
