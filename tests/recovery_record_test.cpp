// The side file of unsaved work: what is written is read back whole, and a
// file cut short, changed or of another format is refused, never half read.
#include <gtest/gtest.h>

#include "recovery/recovery_record.h"

namespace kestrova {
namespace {

RecoveryRecord SampleRecord() {
  RecoveryRecord record;
  record.savedAt = 1'800'000'000;
  record.sourcePath = "/home/ann/games/kestrova ü.szx";
  record.content = ".szx";
  record.saveFormat = SnapshotFileKind::Szx;
  record.loadedFromSzx = true;
  for (std::size_t i = 0; i < record.kept.z80r.size(); ++i) record.kept.z80r[i] = static_cast<std::uint8_t>(i + 1);
  for (std::size_t i = 0; i < record.kept.spcr.size(); ++i) record.kept.spcr[i] = static_cast<std::uint8_t>(0x80 + i);
  record.kept.port7FFD = 0x17;
  record.levelIndex = 3;
  record.scrollPosition = 417;
  record.image.resize(131103);
  for (std::size_t i = 0; i < record.image.size(); ++i) record.image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
  return record;
}

TEST(RecoveryRecordTest, ReadsBackWhatWasWritten) {
  const RecoveryRecord record = SampleRecord();
  const Result<RecoveryRecord> read = DecodeRecoveryRecord(EncodeRecoveryRecord(record));
  ASSERT_TRUE(read) << read.ErrorMessage();
  EXPECT_TRUE(*read == record);
}

struct DamageCase {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> damage;
  const char* reason;  // part of the refusal
};
void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.name; }

class RecoveryDamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(RecoveryDamageTest, IsRefusedWithItsReason) {
  std::vector<std::uint8_t> bytes = EncodeRecoveryRecord(SampleRecord());
  GetParam().damage(bytes);
  const Result<RecoveryRecord> read = DecodeRecoveryRecord(bytes);
  ASSERT_FALSE(read);
  EXPECT_NE(read.ErrorMessage().find(GetParam().reason), std::string::npos) << read.ErrorMessage();
}

INSTANTIATE_TEST_SUITE_P(
    Damages, RecoveryDamageTest,
    ::testing::Values(DamageCase{"Empty", [](auto& b) { b.clear(); }, "not a recovery file"},
                      DamageCase{"OtherFile", [](auto& b) { b[0] = 'X'; }, "not a recovery file"},
                      DamageCase{"NewerFormat", [](auto& b) { b[16] = 2; }, "recovery format 2"},
                      DamageCase{"CutInTheImage", [](auto& b) { b.resize(b.size() / 2); }, "checksum"},
                      DamageCase{"CutBeforeTheChecksum", [](auto& b) { b.pop_back(); }, "checksum"},
                      DamageCase{"ByteChanged", [](auto& b) { b[b.size() - 100] ^= 0x01; }, "checksum"},
                      DamageCase{"ChecksumChanged", [](auto& b) { b.back() ^= 0x80; }, "checksum"}),
    [](const ::testing::TestParamInfo<DamageCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace kestrova
