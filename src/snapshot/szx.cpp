#include "snapshot/szx.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace kestrova {

namespace {

// The blocks whose fields the layer knows: their size on writing, and
// whether a shorter body makes the file unreadable (the editor's callback
// reads those fields).
struct KnownBlock {
  std::uint32_t id;
  std::uint32_t fieldsSize;
  bool requiredOnRead;
};

constexpr KnownBlock kKnownBlocks[] = {
    {kSzxIdCreator, kCrtrBodySize, false},
    {kSzxIdZ80Registers, kZ80rBodySize, true},
    {kSzxIdSpectrumRegisters, kSpcrBodySize, true},
    {kSzxIdRamPage, kRampFieldsSize, true},
};

const KnownBlock* FindKnownBlock(std::uint32_t id) {
  for (const KnownBlock& known : kKnownBlocks) {
    if (known.id == id) return &known;
  }
  return nullptr;
}

void AppendLe32(std::vector<std::uint8_t>& sink, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) sink.push_back(static_cast<std::uint8_t>(value >> shift));
}

// How many bytes `compressed` inflates to, up to one byte past a page;
// nothing when it is not one whole zlib stream.
std::optional<std::size_t> InflatePage(std::span<const std::uint8_t> compressed, std::vector<std::uint8_t>& page) {
  page.resize(kSzxPageSize + 1);
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  stream.next_in = const_cast<Bytef*>(compressed.data());
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = page.data();
  stream.avail_out = static_cast<uInt>(page.size());
  const int status = inflate(&stream, Z_FINISH);
  const std::size_t inflated = stream.total_out;
  inflateEnd(&stream);
  page.resize(kSzxPageSize);
  if (status != Z_STREAM_END && inflated <= kSzxPageSize) return std::nullopt;
  return inflated;
}

// A block's id as a person reads it: "RAMP", with any byte that is not a
// printable letter shown as '?'.
std::string BlockName(const std::uint8_t* block) {
  std::string name = "\"";
  for (int i = 0; i < 4; ++i) {
    const std::uint8_t c = block[i];
    name += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  return name + "\"";
}

// "the "RAMP" block of page 3 at byte 1234": where a fault is, for the person.
std::string BlockPlace(std::span<const std::uint8_t> file, std::size_t offset) {
  const std::uint8_t* block = file.data() + offset;
  std::string place = "the " + BlockName(block) + " block";
  const std::size_t pageAt = offset + kRampPage;
  if (SzxBlockId(block) == kSzxIdRamPage && pageAt < file.size()) {
    place += " of page " + std::to_string(file[pageAt]);
  }
  return place + " at byte " + std::to_string(offset);
}

Error BlockFault(std::span<const std::uint8_t> file, std::size_t offset, const std::string& what) {
  return Error{BlockPlace(file, offset) + " " + what};
}

bool Deflate(std::span<const std::uint8_t> raw, std::vector<std::uint8_t>& compressed) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  compressed.resize(size);
  if (compress2(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
    return false;
  }
  compressed.resize(size);
  return true;
}

}  // namespace

bool HoldsSzxMagic(std::span<const std::uint8_t> file) {
  return file.size() >= 4 && ReadLe32(file.data()) == kSzxIdHeader;
}

Outcome LoadSZXStateFromBytes(std::span<const std::uint8_t> file, const SzxBlockCallback& callback) {
  if (file.size() < kSzxFileHeaderSize) {
    return Error{"the file holds " + std::to_string(file.size()) + " bytes; a .szx file begins with an " +
                 std::to_string(kSzxFileHeaderSize) + "-byte header"};
  }
  if (ReadLe32(file.data()) != kSzxIdHeader)
    return Error{"the file does not begin with \"ZXST\": it is not a .szx file"};
  std::vector<std::uint8_t> page;
  std::size_t offset = kSzxFileHeaderSize;
  while (offset < file.size()) {
    const std::size_t left = file.size() - offset;
    if (left < kSzxBlockHeaderSize) {
      return Error{"the file ends at byte " + std::to_string(file.size()) +
                   ", inside the header of a block that begins at byte " + std::to_string(offset)};
    }
    const std::uint8_t* block = file.data() + offset;
    const std::uint32_t id = SzxBlockId(block);
    const std::uint32_t size = ReadLe32(block + kSzxBlockSize);
    if (size > left - kSzxBlockHeaderSize) {
      return BlockFault(file, offset,
                        "says it holds " + std::to_string(size) + " bytes, but the file ends " +
                            std::to_string(left - kSzxBlockHeaderSize) + " bytes into it, at byte " +
                            std::to_string(file.size()));
    }
    const std::span<const std::uint8_t> body = file.subspan(offset + kSzxBlockHeaderSize, size);

    const KnownBlock* known = FindKnownBlock(id);
    if (known && known->requiredOnRead && size < known->fieldsSize) {
      return BlockFault(
          file, offset,
          "holds " + std::to_string(size) + " bytes; its fields need " + std::to_string(known->fieldsSize));
    }

    std::span<const std::uint8_t> payload = body;
    if (id == kSzxIdRamPage) {
      payload = body.subspan(kRampFieldsSize);
      if (ReadLe16(block + kRampFlags) & kRampCompressed) {
        const std::optional<std::size_t> inflated = InflatePage(payload, page);
        if (!inflated) return BlockFault(file, offset, "holds compressed data that is damaged or cut short");
        if (*inflated != kSzxPageSize) {
          return BlockFault(file, offset,
                            "inflates to " + std::string(*inflated > kSzxPageSize ? "more than " : "") +
                                std::to_string(std::min(*inflated, kSzxPageSize)) + " bytes, not to one page of " +
                                std::to_string(kSzxPageSize));
        }
        payload = page;
      }
    }
    if (callback) callback(block, payload.data(), static_cast<std::uint32_t>(payload.size()));
    offset += kSzxBlockHeaderSize + size;
  }
  return Outcome::Done();
}

Outcome LoadSZXStateFromFile(Files& files, const std::string& path, const SzxBlockCallback& callback) {
  const auto file = files.Read(path);
  if (!file) return Error{file.ErrorMessage()};
  return LoadSZXStateFromBytes(*file, callback);
}

void SaveSZXBlockToFilehandle(std::vector<std::uint8_t>& sink, const SzxBlockBuffer& block, const std::uint8_t* data,
                              std::uint32_t length) {
  const std::uint32_t id = SzxBlockId(block.data());
  if (id == kSzxIdHeader) {
    sink.insert(sink.end(), block.begin(), block.begin() + kSzxFileHeaderSize);
    return;
  }

  constexpr std::size_t kRoomForFields = std::tuple_size_v<SzxBlockBuffer> - kSzxBlockHeaderSize;
  const KnownBlock* known = FindKnownBlock(id);
  const std::size_t fieldsSize =
      known ? known->fieldsSize : std::min<std::size_t>(ReadLe32(block.data() + kSzxBlockSize), kRoomForFields);
  SzxBlockBuffer fields = block;

  std::span<const std::uint8_t> payload;
  if (data != nullptr) payload = std::span<const std::uint8_t>(data, length);
  std::vector<std::uint8_t> compressed;
  if (id == kSzxIdRamPage && (ReadLe16(block.data() + kRampFlags) & kRampCompressed)) {
    if (Deflate(payload, compressed)) {
      payload = compressed;
    } else {
      // Stored raw rather than lost; the flags word then says so.
      fields[kRampFlags] = static_cast<std::uint8_t>(fields[kRampFlags] & ~kRampCompressed);
    }
  }

  const std::size_t bodySize = fieldsSize + payload.size();
  if (bodySize > std::numeric_limits<std::uint32_t>::max()) return;
  sink.insert(sink.end(), fields.begin(), fields.begin() + kSzxBlockSize);
  AppendLe32(sink, static_cast<std::uint32_t>(bodySize));
  sink.insert(sink.end(), fields.begin() + kSzxBlockHeaderSize,
              fields.begin() + static_cast<std::ptrdiff_t>(kSzxBlockHeaderSize + fieldsSize));
  sink.insert(sink.end(), payload.begin(), payload.end());
}

}  // namespace kestrova
