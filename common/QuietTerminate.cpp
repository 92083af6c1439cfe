// The handler std::terminate calls unless a program sets another. The C++
// runtime's default prints the uncaught exception's demangled type to
// standard error and aborts; a GUI program has no standard error to print
// to, and the demangler and printf it brings are a sixth of the screensaver
// that every made screensaver carries. Aborting is what users see either way.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
