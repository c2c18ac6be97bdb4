// Linked into the Qt test programs under the sanitizers. Qt and fontconfig
// keep process-wide caches (fonts, platform plugin, style) they never free;
// only leaks whose stack passes through their own libraries are left out of
// reports.

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\nleak:libqoffscreen.so\n"
           "leak:libfontconfig.so\n";
}
