#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunAsm(const Arguments&) {
  std::fprintf(stderr, "kestrova asm: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
