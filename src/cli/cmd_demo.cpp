#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunDemo(const Arguments&) {
  std::fprintf(stderr, "kestrova demo: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
