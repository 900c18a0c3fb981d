#include "recovery/recovery_record.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <string_view>

#include "base/little_endian.h"

namespace kestrova {

namespace {

constexpr std::string_view kMagic = "KESTROVA-RECOVER";
constexpr std::uint32_t kVersion = 1;
// A record holds one image of at most 128K and two paths: anything much
// larger is no record of ours.
constexpr std::uint32_t kLargestField = 1u << 20;

class Writer {
 public:
  void Bytes(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
  void U8(std::uint8_t value) { out_.push_back(value); }
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  void I64(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
  }
  void Sized(std::span<const std::uint8_t> bytes) {
    U32(static_cast<std::uint32_t>(bytes.size()));
    Bytes(bytes);
  }
  void Text(const std::string& text) {
    Sized(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  std::vector<std::uint8_t>& Out() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

// Reads fields in order; the first one past the end (or too large) sets the
// error and every later read gives zeros.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::span<const std::uint8_t> Bytes(std::size_t count) {
    if (failed_ || bytes_.size() - at_ < count) {
      failed_ = true;
      return {};
    }
    const auto taken = bytes_.subspan(at_, count);
    at_ += count;
    return taken;
  }
  std::uint8_t U8() {
    const auto taken = Bytes(1);
    return taken.empty() ? 0 : taken[0];
  }
  std::uint32_t U32() {
    const auto taken = Bytes(4);
    return taken.empty() ? 0 : ReadLe32(taken.data());
  }
  std::int64_t I64() {
    const std::uint64_t low = U32();
    const std::uint64_t high = U32();
    return static_cast<std::int64_t>(low | high << 32);
  }
  std::vector<std::uint8_t> Sized() {
    const std::uint32_t size = U32();
    if (size > kLargestField) failed_ = true;
    const auto taken = Bytes(size);
    return {taken.begin(), taken.end()};
  }
  std::string Text() {
    const std::vector<std::uint8_t> bytes = Sized();
    return {bytes.begin(), bytes.end()};
  }
  template <std::size_t N>
  void Fill(std::array<std::uint8_t, N>& block) {
    const auto taken = Bytes(N);
    if (!taken.empty()) std::copy(taken.begin(), taken.end(), block.begin());
  }
  bool Failed() const { return failed_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

constexpr std::size_t kHeaderSize = kMagic.size() + 4;
constexpr std::size_t kCrcSize = 4;

bool IsSaveFormat(std::uint8_t value) { return value <= static_cast<std::uint8_t>(SnapshotFileKind::ReadOnly); }

}  // namespace

std::vector<std::uint8_t> EncodeRecoveryRecord(const RecoveryRecord& record) {
  Writer writer;
  writer.Bytes(std::span(reinterpret_cast<const std::uint8_t*>(kMagic.data()), kMagic.size()));
  writer.U32(kVersion);
  writer.I64(record.savedAt);
  writer.Text(record.sourcePath);
  writer.Text(record.content);
  writer.U8(static_cast<std::uint8_t>(record.saveFormat));
  writer.U8(record.loadedFromSzx ? 1 : 0);
  writer.Bytes(record.kept.z80r);
  writer.Bytes(record.kept.spcr);
  writer.U8(record.kept.port7FFD);
  writer.U32(static_cast<std::uint32_t>(record.levelIndex));
  writer.U32(static_cast<std::uint32_t>(record.scrollPosition));
  writer.Sized(record.image);
  writer.U32(Crc32(writer.Out()));
  return std::move(writer.Out());
}

Result<RecoveryRecord> DecodeRecoveryRecord(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + kCrcSize ||
      !std::equal(kMagic.begin(), kMagic.end(), bytes.begin(), [](char a, std::uint8_t b) { return a == char(b); })) {
    return Error{"it is not a recovery file of Kestrova Editor"};
  }
  const std::uint32_t version = ReadLe32(bytes.data() + kMagic.size());
  if (version != kVersion) {
    return Error{"it was written in recovery format " + std::to_string(version) + ", and this editor reads format " +
                 std::to_string(kVersion)};
  }
  const auto body = bytes.first(bytes.size() - kCrcSize);
  if (Crc32(body) != ReadLe32(bytes.data() + body.size())) {
    return Error{"its checksum does not match: the file was cut short or changed"};
  }
  Reader reader(body.subspan(kHeaderSize));
  RecoveryRecord record;
  record.savedAt = reader.I64();
  record.sourcePath = reader.Text();
  record.content = reader.Text();
  const std::uint8_t format = reader.U8();
  record.loadedFromSzx = reader.U8() != 0;
  reader.Fill(record.kept.z80r);
  reader.Fill(record.kept.spcr);
  record.kept.port7FFD = reader.U8();
  record.levelIndex = static_cast<int>(reader.U32());
  record.scrollPosition = static_cast<int>(reader.U32());
  record.image = reader.Sized();
  if (reader.Failed() || !reader.AtEnd() || !IsSaveFormat(format)) {
    return Error{"its fields do not fit together"};
  }
  record.saveFormat = static_cast<SnapshotFileKind>(format);
  return record;
}

std::string RecoveryTimeText(std::int64_t savedAt) {
  const std::time_t time = static_cast<std::time_t>(savedAt);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return "an unknown time";
  std::array<char, 32> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M", &local);
  return std::string(text.data(), length);
}

}  // namespace kestrova
