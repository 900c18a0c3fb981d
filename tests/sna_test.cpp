#include "snapshot/sna.h"

#include <gtest/gtest.h>

#include "snapshot/ram_banks.h"
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
      EXPECT_EQ(image.ErrorMessage().substr(0, 24), "Not a Kestrova Snapshot!") << c.name;
    }
  }
}

TEST(ReadSna, ATooShortFileSaysHowLongItIs) {
  EXPECT_EQ(ReadSna(SnaFile(1000, 0xAE, 0x76)).ErrorMessage(),
            "Not a Kestrova Snapshot!\nThe file holds 1000 bytes; a snapshot of the game holds at least 49179.");
}

// A 128K .sna as the published format lays it out, written here without the
// editor's own tables: the 48K part holds banks 5, 2 and the paged bank, the
// 128K state follows, then every other bank in ascending order (so a file
// paging bank 2 or 5 holds it twice and is 16 KB longer). Bank b is filled
// with b + 1, with a recognition byte in bank 5.
Bytes Published128KSna(std::uint8_t port7FFD) {
  const int paged = port7FFD & 7;
  Bytes file(kSnaHeaderSize, 0x11);
  const auto appendBank = [&](int bank) {
    Bytes page(kPageSize, static_cast<std::uint8_t>(bank + 1));
    if (bank == 5) page[0x751D - 0x4000] = 0xAE;
    file.insert(file.end(), page.begin(), page.end());
  };
  appendBank(5);
  appendBank(2);
  appendBank(paged);
  file.insert(file.end(), {0x34, 0x12, port7FFD, 0});
  for (int bank = 0; bank < 8; ++bank) {
    if (bank != 5 && bank != 2 && bank != paged) appendBank(bank);
  }
  return file;
}

TEST(ReadSna, Holds128KGamesWithTheirBanksInPlaceWhateverWasPagedAndWritesThemBack) {
  for (int paged = 0; paged < 8; ++paged) {
    const auto port = static_cast<std::uint8_t>(0x10 | paged);
    const Bytes file = Published128KSna(port);
    ASSERT_EQ(file.size(), paged == 2 || paged == 5 ? kSnapshotSize128K + kPageSize : kSnapshotSize128K);
    const auto image = ReadSna(file);
    ASSERT_TRUE(image.Ok()) << "paged " << paged;
    // The game's own banks where it keeps its data, whatever was paged in.
    EXPECT_EQ(image->Size(), kSnapshotSize128K) << "paged " << paged;
    EXPECT_EQ(image->Read(0x8000), 3) << "bank 2 at 0x8000, paged " << paged;
    EXPECT_EQ(image->Read(0xC000), 1) << "bank 0 at 0xC000, paged " << paged;
    for (std::uint8_t bank = 0; bank < kRamBankCount; ++bank) {
      const auto bytes = BankBytes(*image, bank);
      ASSERT_EQ(bytes.size(), kPageSize);
      EXPECT_EQ(bytes[100], bank + 1) << "bank " << int{bank} << ", paged " << paged;
    }
    EXPECT_EQ(PagedBank(*image), paged);
    EXPECT_EQ(image->ReadOffsetWord(kOffset128KPc), 0x1234);
    // Back out exactly as it came in.
    EXPECT_EQ(SnaFileFromImage(*image), file) << "paged " << paged;
  }
}

TEST(ReadSna, HoldsOtherLengthsAsTheyAre) {
  // A 131103-byte file that pages bank 5 cannot hold every bank: it is held
  // as read, and written back in the full length its paging asks for.
  Bytes file = SnaFile(kSnapshotSize128K, 0xAE, 0x76);
  file[kOffset128KPort7FFD] = 0x15;
  const auto image = ReadSna(file);
  ASSERT_TRUE(image.Ok());
  EXPECT_EQ(Bytes(image->Bytes().begin(), image->Bytes().end()), file);
  EXPECT_EQ(SnaFileFromImage(*image).size(), kSnapshotSize128K + kPageSize);

  const Bytes odd = SnaFile(50000, 0xAE, 0x76);
  EXPECT_EQ(SnaFileFromImage(*ReadSna(odd)), odd);
}

TEST(SnapshotFileKind, MatchesBothExtensionsInAnyCase) {
  const std::pair<const char*, SnapshotFileKind> cases[] = {
      {"game.sna", SnapshotFileKind::Sna},
      {"GAME.SNA", SnapshotFileKind::Sna},
      {"game.Sna", SnapshotFileKind::Sna},
      {"game.szx", SnapshotFileKind::Szx},
      {"/home/me/GAME.SZX", SnapshotFileKind::Szx},
      {"game.sZx", SnapshotFileKind::Szx},
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
