#include "snapshot/sna.h"

#include <gtest/gtest.h>

#include "snapshot/snapshot_file_kind.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SnaFile(std::size_t length, std::uint8_t at751D, std::uint8_t at7A93) {
  Bytes file(length, 0x5A);
  if (ImageOffsetOf(0x751D) < length) file[ImageOffsetOf(0x751D)] = at751D;
  if (ImageOffsetOf(0x7A93) < length) file[ImageOffsetOf(0x7A93)] = at7A93;
  return file;
}

struct SnaCase {
  const char* name;
  std::size_t length;
  std::uint8_t at751D;
  std::uint8_t at7A93;
  bool accepted;
};

TEST(ReadSna, AcceptsByEitherRecognitionByteAndRefusesFilesTooShortForTheGame) {
  const SnaCase cases[] = {
      {"48K, first byte only", kSnapshotSize48K, 0xAE, 0x00, true},
      {"48K, second byte only", kSnapshotSize48K, 0x00, 0x76, true},
      {"48K, both bytes", kSnapshotSize48K, 0xAE, 0x76, true},
      {"48K, neither", kSnapshotSize48K, 0xAF, 0x77, false},
      {"128K", kSnapshotSize128K, 0xAE, 0x00, true},
      {"odd length", 50000, 0x00, 0x76, true},
      {"one byte short of 48K", kSnapshotSize48K - 1, 0xAE, 0x76, false},
      {"just enough for the recognition bytes", ImageOffsetOf(0x7A93) + 1, 0xAE, 0x76, false},
      {"empty", 0, 0, 0, false},
  };
  for (const SnaCase& c : cases) {
    const Bytes file = SnaFile(c.length, c.at751D, c.at7A93);
    const auto image = ReadSna(file);
    ASSERT_EQ(image.Ok(), c.accepted) << c.name;
    if (c.accepted) {
      // Held whole, at the file's own length.
      EXPECT_EQ(Bytes(image->Bytes().begin(), image->Bytes().end()), file) << c.name;
    } else {
      EXPECT_EQ(image.ErrorMessage(), "Not a Kestrova Snapshot!") << c.name;
    }
  }
}

TEST(SnapshotFileKind, MatchesTheFourExtensionsExactly) {
  const std::pair<const char*, SnapshotFileKind> cases[] = {
      {"game.sna", SnapshotFileKind::Sna},
      {"GAME.SNA", SnapshotFileKind::Sna},
      {"game.Sna", SnapshotFileKind::Other},
      {"game.szx", SnapshotFileKind::Szx},
      {"/home/me/GAME.SZX", SnapshotFileKind::Szx},
      {"game.sZx", SnapshotFileKind::Other},
      {"level.old.sna", SnapshotFileKind::Sna},
      {"game.sna.bak", SnapshotFileKind::Other},
      {"game", SnapshotFileKind::Other},
      {"folder.sna/game", SnapshotFileKind::Other},
      {"C:\\games.szx\\game", SnapshotFileKind::Other},
      {".sna", SnapshotFileKind::Sna},
      {"game.tap", SnapshotFileKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(SnapshotFileKindOf(path), kind) << path;
  EXPECT_EQ(FileExtension("a/b.c/d"), "");
  EXPECT_EQ(FileExtension("a/b.c/d.e"), ".e");
}

}  // namespace
}  // namespace kestrova
