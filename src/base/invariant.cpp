#include "base/invariant.h"

#include <cstdio>
#include <cstdlib>

namespace zarvel {

void InvariantBroken(const char* what) {
  std::fprintf(stderr, "zarvel: an internal check failed: %s\n", what);
  std::abort();
}

}  // namespace zarvel
