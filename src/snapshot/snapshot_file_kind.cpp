#include "snapshot/snapshot_file_kind.h"

#include <string_view>

namespace kestrova {

namespace {

struct KindByExtension {
  std::string_view extension;
  SnapshotFileKind kind;
};
constexpr KindByExtension kSnapshotExtensions[] = {
    {".sna", SnapshotFileKind::Sna},
    {".SNA", SnapshotFileKind::Sna},
    {".szx", SnapshotFileKind::Szx},
    {".SZX", SnapshotFileKind::Szx},
};

}  // namespace

std::string FileExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("/\\:", dot) != std::string::npos) return {};
  return path.substr(dot);
}

SnapshotFileKind SnapshotFileKindOf(const std::string& path) {
  const std::string extension = FileExtension(path);
  for (const KindByExtension& entry : kSnapshotExtensions) {
    if (entry.extension == extension) return entry.kind;
  }
  return SnapshotFileKind::Other;
}

}  // namespace kestrova
