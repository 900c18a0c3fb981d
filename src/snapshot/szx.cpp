#include "snapshot/szx.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

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

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t ReadLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void AppendLe32(std::vector<std::uint8_t>& sink, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) sink.push_back(static_cast<std::uint8_t>(value >> shift));
}

// True when `compressed` is one zlib stream of exactly one page.
bool InflatePage(std::span<const std::uint8_t> compressed, std::vector<std::uint8_t>& page) {
  page.resize(kSzxPageSize);
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(compressed.data());
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = page.data();
  stream.avail_out = static_cast<uInt>(page.size());
  const int status = inflate(&stream, Z_FINISH);
  const bool whole = status == Z_STREAM_END && stream.total_out == kSzxPageSize;
  inflateEnd(&stream);
  return whole;
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

std::uint32_t LoadSZXStateFromBytes(std::span<const std::uint8_t> file, const SzxBlockCallback& callback) {
  if (file.size() < kSzxFileHeaderSize || ReadLe32(file.data()) != kSzxIdHeader) return 0;
  std::vector<std::uint8_t> page;
  std::size_t offset = kSzxFileHeaderSize;
  while (offset < file.size()) {
    const std::size_t left = file.size() - offset;
    if (left < kSzxBlockHeaderSize) return 0;
    const std::uint8_t* block = file.data() + offset;
    const std::uint32_t id = SzxBlockId(block);
    const std::uint32_t size = ReadLe32(block + kSzxBlockSize);
    if (size > left - kSzxBlockHeaderSize) return 0;
    const std::span<const std::uint8_t> body = file.subspan(offset + kSzxBlockHeaderSize, size);

    const KnownBlock* known = FindKnownBlock(id);
    if (known && known->requiredOnRead && size < known->fieldsSize) return 0;

    std::span<const std::uint8_t> payload = body;
    if (id == kSzxIdRamPage) {
      payload = body.subspan(kRampFieldsSize);
      if (ReadLe16(block + kRampFlags) & kRampCompressed) {
        if (!InflatePage(payload, page)) return 0;
        payload = page;
      }
    }
    if (callback) callback(block, payload.data(), static_cast<std::uint32_t>(payload.size()));
    offset += kSzxBlockHeaderSize + size;
  }
  return 1;
}

std::uint32_t LoadSZXStateFromFile(Files& files, const std::string& path, const SzxBlockCallback& callback) {
  const auto file = files.Read(path);
  if (!file) return 0;
  return LoadSZXStateFromBytes(*file, callback);
}

void SaveSZXBlockToFilehandle(std::vector<std::uint8_t>& sink, const SzxBlockBuffer& block,
                              const std::uint8_t* data, std::uint32_t length) {
  const std::uint32_t id = SzxBlockId(block.data());
  if (id == kSzxIdHeader) {
    sink.insert(sink.end(), block.begin(), block.begin() + kSzxFileHeaderSize);
    return;
  }

  constexpr std::size_t kRoomForFields = std::tuple_size_v<SzxBlockBuffer> - kSzxBlockHeaderSize;
  const KnownBlock* known = FindKnownBlock(id);
  const std::size_t fieldsSize = known ? known->fieldsSize
                                       : std::min<std::size_t>(ReadLe32(block.data() + kSzxBlockSize), kRoomForFields);
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
