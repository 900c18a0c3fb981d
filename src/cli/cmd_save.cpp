#include <cstdio>

#include "cli/commands.h"

namespace kestrova::cli {

int RunSave(const Arguments&) {
  std::fprintf(stderr, "kestrova save: not available in this build yet\n");
  return 2;
}

}  // namespace kestrova::cli
