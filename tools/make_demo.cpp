// Writes the demo snapshots, as .sna and .szx, and the title picture as
// title.png into the folder given on the command line.
#include <cstdio>
#include <fstream>
#include <optional>
#include <span>
#include <string>

#include "demo/demo_game.h"
#include "demo/title_picture.h"
#include "snapshot/ram_banks.h"
#include "snapshot/szx_writer.h"
#include "support/png_image.h"

namespace {

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WriteDemo(const std::string& folder, const std::string& name, kestrova::DemoMachine machine) {
  const kestrova::SnapshotImage image = kestrova::MakeDemoSnapshot(machine);
  return WriteFile(folder + "/" + name + ".sna", kestrova::SnaFileFromImage(image)) &&
         WriteFile(folder + "/" + name + ".szx", kestrova::BuildSzxFile(image, std::nullopt));
}

bool WriteTitlePicture(const std::string& folder) {
  using namespace kestrova::testing;
  return WriteFile(folder + "/title.png", EncodePng(PictureOf(kestrova::MakeTitlePicture())));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrova_make_demo FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  using kestrova::DemoMachine;
  const bool ok = WriteDemo(folder, "kestrova-demo", DemoMachine::Spectrum48K) &&
                  WriteDemo(folder, "kestrova-demo-128k", DemoMachine::Spectrum128K) && WriteTitlePicture(folder);
  if (!ok) {
    std::fprintf(stderr, "kestrova_make_demo: could not write the demo snapshots and the title picture into %s\n",
                 folder.c_str());
    return 1;
  }
  return 0;
}
