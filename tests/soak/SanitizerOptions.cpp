// Sanitizer settings of the soak program. Qt's libraries are not built with
// ThreadSanitizer: the picture conversions of a JPEG save run in slices on Qt's own pool
// threads, handed over and joined inside Qt where ThreadSanitizer cannot see it, so the
// allocations and copies Qt makes there would read as races. Only accesses made from
// uninstrumented libraries are ignored; every access of the station's own code is checked.
extern "C" const char* __tsan_default_options() { return "ignore_noninstrumented_modules=1"; }
