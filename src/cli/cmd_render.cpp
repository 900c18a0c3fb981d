#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunRender(const Arguments&) {
  std::fprintf(stderr, "kestrova render: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
