#include "snapshot/ram_banks.h"

#include <algorithm>

namespace kestrova {

namespace {

// The banks after the 128K state of a .sna, in the order the file lists
// them: every bank but 5, 2 and the one paged in at 0xC000.
constexpr std::uint8_t kTrailingBankOrder[] = {0, 1, 3, 4, 6, 7};

bool IsFixedBank(std::uint8_t bank) { return bank == 5 || bank == 2; }

bool Holds128KLayout(const SnapshotImage& image) { return image.Size() == kSnapshotSize128K; }

// The editor's layout: a file taken with bank 0 paged in.
constexpr std::uint8_t kLayoutPaging = 0x00;

}  // namespace

std::optional<std::array<std::size_t, kRamBankCount>> SnaBankOffsets(std::size_t fileSize, std::uint8_t port7FFD) {
  const std::uint8_t paged = port7FFD & kPagedBankMask;
  if (fileSize != (IsFixedBank(paged) ? kSnapshotSize128KTwice : kSnapshotSize128K)) return std::nullopt;
  std::array<std::size_t, kRamBankCount> offsets{};
  for (const FixedBank& fixed : k48KBanks) offsets[fixed.bank] = ImageOffsetOf(fixed.address);
  if (!IsFixedBank(paged)) offsets[paged] = ImageOffsetOf(kPagedBankAddress);
  std::size_t next = kOffsetBank1;
  for (const std::uint8_t bank : kTrailingBankOrder) {
    if (bank == paged) continue;
    offsets[bank] = next;
    next += kPageSize;
  }
  return offsets;
}

std::vector<std::uint8_t> BanksOf(const SnapshotImage& image) {
  if (Holds128KLayout(image)) return {5, 2, 0, 1, 3, 4, 6, 7};
  return {5, 2, 0};
}

std::optional<std::size_t> BankOffset(const SnapshotImage& image, std::uint8_t bank) {
  if (Holds128KLayout(image)) {
    if (bank >= kRamBankCount) return std::nullopt;
    return (*SnaBankOffsets(kSnapshotSize128K, kLayoutPaging))[bank];
  }
  for (const FixedBank& fixed : k48KBanks) {
    if (fixed.bank == bank) return ImageOffsetOf(fixed.address);
  }
  return std::nullopt;
}

std::span<const std::uint8_t> BankBytes(const SnapshotImage& image, std::uint8_t bank) {
  const std::optional<std::size_t> offset = BankOffset(image, bank);
  if (!offset) return {};
  return image.Range(*offset, kPageSize);
}

std::uint8_t PagedBank(const SnapshotImage& image) { return image.ReadOffset(kOffset128KPort7FFD) & kPagedBankMask; }

namespace {

// Copies every bank from one layout to another; the header and the 128K
// state come first, as both layouts keep them at the same offsets.
std::vector<std::uint8_t> Relayout(std::span<const std::uint8_t> from,
                                   const std::array<std::size_t, kRamBankCount>& fromOffsets, std::size_t toSize,
                                   const std::array<std::size_t, kRamBankCount>& toOffsets) {
  std::vector<std::uint8_t> to(toSize, 0);
  std::copy_n(from.begin(), kSnaHeaderSize, to.begin());
  std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(kOffset128KPc), kOffsetBank1 - kOffset128KPc,
              to.begin() + static_cast<std::ptrdiff_t>(kOffset128KPc));
  for (std::size_t bank = 0; bank < kRamBankCount; ++bank) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(fromOffsets[bank]), kPageSize,
                to.begin() + static_cast<std::ptrdiff_t>(toOffsets[bank]));
  }
  // A bank paged in twice is written twice.
  const std::uint8_t paged = to[kOffset128KPort7FFD] & kPagedBankMask;
  if (toSize == kSnapshotSize128KTwice) {
    std::copy_n(to.begin() + static_cast<std::ptrdiff_t>(toOffsets[paged]), kPageSize,
                to.begin() + static_cast<std::ptrdiff_t>(ImageOffsetOf(kPagedBankAddress)));
  }
  return to;
}

}  // namespace

SnapshotImage ImageFromSnaFile(std::span<const std::uint8_t> file) {
  const auto fileOffsets =
      file.size() > kOffset128KPort7FFD ? SnaBankOffsets(file.size(), file[kOffset128KPort7FFD]) : std::nullopt;
  if (!fileOffsets) return SnapshotImage(std::vector<std::uint8_t>(file.begin(), file.end()));
  return SnapshotImage(
      Relayout(file, *fileOffsets, kSnapshotSize128K, *SnaBankOffsets(kSnapshotSize128K, kLayoutPaging)));
}

std::vector<std::uint8_t> SnaFileFromImage(const SnapshotImage& image) {
  if (!Holds128KLayout(image)) return std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end());
  const std::uint8_t port = image.ReadOffset(kOffset128KPort7FFD);
  const std::size_t fileSize = IsFixedBank(port & kPagedBankMask) ? kSnapshotSize128KTwice : kSnapshotSize128K;
  return Relayout(image.Bytes(), *SnaBankOffsets(kSnapshotSize128K, kLayoutPaging), fileSize,
                  *SnaBankOffsets(fileSize, port));
}

}  // namespace kestrova
