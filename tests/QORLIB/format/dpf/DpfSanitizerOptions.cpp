// Linked into the suites that drive the CLAP plug-in's editor in the sanitizer build: Debian's
// DPF 1.6 grows the CLAP wrapper's event queue with realloc and frees it with delete[]
// (DistrhoPluginCLAP.cpp). That mismatch is in DPF's sources, not ours; with glibc both end in
// free, so only these binaries tell the address checker to let it pass.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "alloc_dealloc_mismatch=0"; }
