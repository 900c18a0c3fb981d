#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/little_endian.h"
#include "base/result.h"
#include "ports/files.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The .szx (ZX-State) layer: the editor's only way to read and write .szx.

// Block ids, compared as 32-bit little-endian words.
constexpr std::uint32_t SzxId(const char (&id)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(id[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(id[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(id[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(id[3])) << 24;
}
// The id of a block as stored (its first 4 bytes).
inline std::uint32_t SzxBlockId(const std::uint8_t* block) { return ReadLe32(block); }
constexpr std::uint32_t kSzxIdHeader = SzxId("ZXST");
constexpr std::uint32_t kSzxIdCreator = SzxId("CRTR");
constexpr std::uint32_t kSzxIdZ80Registers = SzxId("Z80R");
constexpr std::uint32_t kSzxIdSpectrumRegisters = SzxId("SPCR");
constexpr std::uint32_t kSzxIdRamPage = SzxId("RAMP");

// The file header: "ZXST", major, minor, machine, flags. No size field.
constexpr std::size_t kSzxFileHeaderSize = 8;
constexpr std::size_t kSzxHeaderMajor = 4;
constexpr std::size_t kSzxHeaderMinor = 5;
constexpr std::size_t kSzxHeaderMachine = 6;
constexpr std::size_t kSzxHeaderFlags = 7;
constexpr std::uint8_t kSzxMachine48K = 1;
constexpr std::uint8_t kSzxMachine128K = 2;

// Every block: id, 32-bit body size, body. Field offsets below are block
// offsets (the body starts at 8).
constexpr std::size_t kSzxBlockHeaderSize = 8;
constexpr std::size_t kSzxBlockSize = 4;

constexpr std::size_t kCrtrName = 8;
constexpr std::size_t kCrtrNameLength = 32;
constexpr std::uint32_t kCrtrBodySize = 36;

constexpr std::size_t kZ80rAF = 8;
constexpr std::size_t kZ80rBC = 10;
constexpr std::size_t kZ80rDE = 12;
constexpr std::size_t kZ80rHL = 14;
constexpr std::size_t kZ80rAFAlt = 16;
constexpr std::size_t kZ80rBCAlt = 18;
constexpr std::size_t kZ80rDEAlt = 20;
constexpr std::size_t kZ80rHLAlt = 22;
constexpr std::size_t kZ80rIX = 24;
constexpr std::size_t kZ80rIY = 26;
constexpr std::size_t kZ80rSP = 28;
constexpr std::size_t kZ80rPC = 30;
constexpr std::size_t kZ80rI = 32;
constexpr std::size_t kZ80rR = 33;
constexpr std::size_t kZ80rIFF1 = 34;
constexpr std::size_t kZ80rIFF2 = 35;
constexpr std::size_t kZ80rIM = 36;
constexpr std::uint32_t kZ80rBodySize = 37;

constexpr std::size_t kSpcrBorder = 8;
constexpr std::size_t kSpcrPort7FFD = 9;
constexpr std::uint32_t kSpcrBodySize = 8;

constexpr std::size_t kRampFlags = 8;
constexpr std::size_t kRampPage = 10;
constexpr std::uint32_t kRampFieldsSize = 3;  // flags word and page number
constexpr std::uint16_t kRampCompressed = 0x0001;
constexpr std::size_t kSzxPageSize = kPageSize;  // a "RAMP" page is one RAM page

// True when the bytes begin with the "ZXST" magic of a .szx file.
bool HoldsSzxMagic(std::span<const std::uint8_t> file);

// Reading: every block after the file header is handed to the callback with
// a pointer to the block as stored (4-character id, 32-bit body size, the
// fields), a pointer to the block's uncompressed payload and the payload's
// length. "RAMP" pages arrive inflated (16384 bytes); an uncompressed page
// comes as stored. Other blocks give their body as the payload. The
// callback may read at least 8 + the body size the layer requires of the
// block: 45 bytes of "Z80R", 16 of "SPCR", 11 of "RAMP". Its result is not
// examined.
//
// Fails, saying why (which block, which page, where the file ends), on: no
// "ZXST" magic, a block running past the end of the input, a "Z80R", "SPCR"
// or "RAMP" body too short for its fields, or a compressed page that does
// not inflate to exactly 16384 bytes. Blocks before the fault have been
// delivered by then. Done when every block was delivered.
using SzxBlockCallback =
    std::function<std::uint32_t(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t length)>;

Outcome LoadSZXStateFromBytes(std::span<const std::uint8_t> file, const SzxBlockCallback& callback);
// The same through the Files port; a file that cannot be read fails with
// the port's reason.
Outcome LoadSZXStateFromFile(Files& files, const std::string& path, const SzxBlockCallback& callback);

// Writing: one block per call, appended to a byte sink. `block` holds the
// 4-character id at offset 0 and the block's fields at their format offsets
// (fields from offset 8; for "ZXST" the 8-byte file header, written as it
// stands). The layer fills the size field itself, whatever the buffer holds:
// the fields of a known block ("CRTR", "Z80R", "SPCR", "RAMP") plus the
// payload; for any other id the buffer's size field (at most the 248 bytes
// the buffer has) plus the payload. A "RAMP" payload is zlib-compressed when
// bit 0 of its flags word is set.
using SzxBlockBuffer = std::array<std::uint8_t, 256>;

void SaveSZXBlockToFilehandle(std::vector<std::uint8_t>& sink, const SzxBlockBuffer& block, const std::uint8_t* data,
                              std::uint32_t length);

}  // namespace kestrova
