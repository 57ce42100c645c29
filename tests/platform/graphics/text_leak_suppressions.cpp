// Fontconfig 2.14 loses a few hundred bytes while parsing its XML
// configuration, once per process; LeakSanitizer would fail every run that
// draws text. Only leaks allocated inside fontconfig itself are ignored.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
