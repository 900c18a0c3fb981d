// kestrova: the editor's core from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include <QCoreApplication>

#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const kestrova::cli::Arguments&);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"info", kestrova::cli::RunInfo, "info FILE [--json]"},
    {"demo", kestrova::cli::RunDemo, "demo [--128k] -o FILE.sna|FILE.szx"},
    {"render", kestrova::cli::RunRender,
     "render FILE [--level N] [--scroll S] [--land-space] [--scr OUT.scr] [--png OUT.png] [--grid OUT.bin] "
     "[--overview OUT.png] [--whole OUT.png]"},
    {"save", kestrova::cli::RunSave, "save IN OUT.sna|OUT.szx [--force]"},
    {"asm", kestrova::cli::RunAsm, "asm IN -o OUT.asm [--force]"},
    {"tap", kestrova::cli::RunTap, "tap IN -o OUT.tap [--screen SCREEN.scr] [--force]"},
};

void PrintUsage() {
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : kCommands) std::fprintf(stderr, "  kestrova %s\n", command.usage);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc < 2) {
    PrintUsage();
    return 2;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0) {
      kestrova::cli::Arguments arguments(argv + 2, argv + argc);
      return command.run(arguments);
    }
  }
  std::fprintf(stderr, "kestrova: unknown command '%s'\n", argv[1]);
  PrintUsage();
  return 2;
}
