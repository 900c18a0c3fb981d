#include "snapshot/snapshot_file_kind.h"

#include <cctype>
#include <string_view>

namespace kestrova {

namespace {

struct KindByExtension {
  std::string_view extension;
  SnapshotFileKind kind;
};
constexpr KindByExtension kSnapshotExtensions[] = {
    {".sna", SnapshotFileKind::Sna},
    {".szx", SnapshotFileKind::Szx},
};

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string FileExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("/\\:", dot) != std::string::npos) return {};
  return path.substr(dot);
}

SnapshotFileKind SnapshotFileKindOf(const std::string& path) {
  // Any case: a save keeps "GAME.Sna" as the person wrote it, so a load takes it too.
  const std::string extension = Lowered(FileExtension(path));
  for (const KindByExtension& entry : kSnapshotExtensions) {
    if (entry.extension == extension) return entry.kind;
  }
  return SnapshotFileKind::Other;
}

}  // namespace kestrova
