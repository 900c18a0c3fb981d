// Writes the demo snapshots into the folder given on the command line.
#include <cstdio>
#include <fstream>
#include <string>

#include "demo/demo_game.h"

namespace {

bool WriteFile(const std::string& path, const kestrova::SnapshotImage& image) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.Bytes().data()), static_cast<std::streamsize>(image.Size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrova_make_demo FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  using kestrova::DemoMachine;
  const bool ok = WriteFile(folder + "/kestrova-demo.sna", kestrova::MakeDemoSnapshot(DemoMachine::Spectrum48K)) &&
                  WriteFile(folder + "/kestrova-demo-128k.sna", kestrova::MakeDemoSnapshot(DemoMachine::Spectrum128K));
  if (!ok) {
    std::fprintf(stderr, "kestrova_make_demo: could not write the demo snapshots into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
