#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunInfo(const Arguments&) {
  std::fprintf(stderr, "kestrova info: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
