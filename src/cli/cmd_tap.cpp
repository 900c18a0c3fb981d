#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunTap(const Arguments&) {
  std::fprintf(stderr, "kestrova tap: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
