// Linked into the sanitizer builds of the programs and suites that paint real X11 windows:
// cairo's xlib backend (Debian 12's cairo 1.16) keeps 32 bytes from its first fill of a window
// surface that nothing frees, also when the window and its display are closed properly. It is
// cairo's, not ours; only these binaries tell the leak checker so.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libcairo.so.2\n"; }
