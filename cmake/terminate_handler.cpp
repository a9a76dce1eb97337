// The handler an uncaught exception ends the program through, in place of
// the runtime's own, which brings a whole name demangler into every program.
// Linked into each shipped Windows program (kit_shipped_program).
#include <cstdio>
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::fputs("terminate called: an error was not handled\n", stderr);
  std::abort();
}

}  // namespace __gnu_cxx
