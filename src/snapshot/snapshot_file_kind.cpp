#include "snapshot/snapshot_file_kind.h"

#include <cctype>

namespace kestrova {

namespace {

struct KindByExtension {
  std::string_view extension;
  SnapshotFileKind kind;
};
// Every snapshot extension libspectrum 1.5 reads besides our own two; a .slt
// is a .z80 with level data after it, which a plain .z80 written over it
// would lose, so it is read only.
constexpr KindByExtension kSnapshotExtensions[] = {
    {".szx", SnapshotFileKind::Szx},      {".sna", SnapshotFileKind::Sna},         {".z80", SnapshotFileKind::Z80},
    {".slt", SnapshotFileKind::ReadOnly}, {".sp", SnapshotFileKind::ReadOnly},     {".snp", SnapshotFileKind::ReadOnly},
    {".zxs", SnapshotFileKind::ReadOnly}, {".mgtsnp", SnapshotFileKind::ReadOnly},
};

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

SnapshotFileKind SnapshotFileKindOf(const std::string& path) {
  // Any case: a save keeps "GAME.Sna" as the person wrote it, so a load takes it too.
  const std::string extension = Lowered(FileExtension(path));
  for (const KindByExtension& entry : kSnapshotExtensions) {
    if (entry.extension == extension) return entry.kind;
  }
  return SnapshotFileKind::Other;
}

std::vector<std::string_view> ReadSnapshotExtensions() {
  std::vector<std::string_view> extensions;
  for (const KindByExtension& entry : kSnapshotExtensions) extensions.push_back(entry.extension);
  return extensions;
}

}  // namespace kestrova
