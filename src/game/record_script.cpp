#include "game/record_script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "base/hex.h"
#include "base/whole_number.h"
#include "edit/insert_names.h"
#include "edit/insertion.h"
#include "game/level_records.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

constexpr int kLastColumn = 31;
constexpr std::string_view kRawWord = "bytes";
// The clipboard form: this header, then per object its size and its bytes.
constexpr std::string_view kClipHeader = "KESTROVA-RECORDS 1\n";
constexpr std::size_t kMostClipBytes = 4096;

bool IsOptionWord(const std::string& word) { return word == "at" || word == "column" || word == "value"; }

// A record a paste may carry alone: a code the game knows, and never the
// end of a level or of all levels (those come only inside a fortress).
Outcome LoneRecordAllowed(std::uint8_t code, std::uint8_t operand) {
  if (code == kEndOfLevelsMarker || !FindObjectCode(code))
    return Error{"code $" + Hex(code, 2) + " is not one the game knows"};
  if (IsEndRecord({code, operand})) return Error{"a level's end record goes only with its fortress"};
  return Outcome::Done();
}

Outcome ObjectAllowed(const ObjectBytes& object) {
  if (object.size() == kRecordSize) return LoneRecordAllowed(object[0], object[1]);
  if (!GroupOfBytes(object)) return Error{"a group of " + std::to_string(object.size()) + " bytes that is not whole"};
  return Outcome::Done();
}

Result<std::uint8_t> ByteWord(const std::string& word) {
  const std::optional<std::uint32_t> value = ParseAddress(word);
  if (!value || *value > 0xFF) return Error{"'" + word + "' is not a byte ($00-$FF, 0x00-0xFF or 0-255)"};
  return static_cast<std::uint8_t>(*value);
}

Result<InsertWords> ParseRawInsert(const std::vector<std::string>& words) {
  if (words.size() != 4) return Error{"the form is: insert bytes CODE OPERAND"};
  const Result<std::uint8_t> code = ByteWord(words[2]);
  if (!code) return Error{code.ErrorMessage()};
  const Result<std::uint8_t> operand = ByteWord(words[3]);
  if (!operand) return Error{operand.ErrorMessage()};
  if (const Outcome allowed = LoneRecordAllowed(*code, *operand); !allowed) return Error{allowed.ErrorMessage()};
  InsertWords insert;
  insert.bytes = {*code, *operand};
  return insert;
}

// The bytes a tag writes in front of a record at `column`, or with the
// value its prompt is answered with.
ObjectBytes TagBytes(int tag, int column, std::optional<int> value) {
  if (const TwoByteTag* entry = FindTwoByteTag(tag)) {
    const int operand = value ? *value : TwoByteOperand(*entry, column);
    return {entry->code, static_cast<std::uint8_t>(operand & 0xFF)};
  }
  if (const GroupTag* group = FindGroupTag(tag)) return GroupBytes(*group, column);
  return {};
}

bool ColumnMatters(int tag) {
  if (const GroupTag* group = FindGroupTag(tag)) return group->columnInSecondByte;
  if (FindPromptedTag(tag)) return false;
  for (int column = 1; column <= kLastColumn; ++column) {
    if (TagBytes(tag, column, std::nullopt) != TagBytes(tag, 0, std::nullopt)) return true;
  }
  return false;
}

// The tag, column and value that write the two-byte record, if any does.
std::optional<std::string> TwoByteLine(std::uint8_t code, std::uint8_t operand) {
  for (const TwoByteTag& entry : kTwoByteTags) {
    if (entry.code != code) continue;
    const std::string name = "insert " + InsertionName(entry.tag);
    if (FindPromptedTag(entry.tag)) {
      if (operand >= entry.minimum && operand <= entry.maximum) return name + " value " + std::to_string(operand);
      continue;
    }
    // The record's own column first, so that a clamped column reads as written.
    std::vector<int> columns{operand & kColumnBits};
    for (int column = 0; column <= kLastColumn; ++column) columns.push_back(column);
    for (const int column : columns) {
      if (TagBytes(entry.tag, column, std::nullopt) != ObjectBytes{code, operand}) continue;
      return ColumnMatters(entry.tag) ? name + " column " + std::to_string(column) : name;
    }
  }
  return std::nullopt;
}

std::string RawLine(std::uint8_t code, std::uint8_t operand) {
  return "insert " + std::string(kRawWord) + " $" + Hex(code, 2) + " $" + Hex(operand, 2);
}

}  // namespace

int RecordClip::Bytes() const {
  std::size_t bytes = 0;
  for (const ObjectBytes& object : objects) bytes += object.size();
  return static_cast<int>(bytes);
}

std::vector<std::uint8_t> RecordClip::Joined() const {
  std::vector<std::uint8_t> bytes;
  for (const ObjectBytes& object : objects) bytes.insert(bytes.end(), object.begin(), object.end());
  return bytes;
}

bool RecordClip::EndsALevel() const {
  return std::any_of(objects.begin(), objects.end(), [](const ObjectBytes& object) {
    const GroupTag* group = GroupOfBytes(object);
    return group && IsFortressTag(group->tag);
  });
}

ObjectBytes UnitBytes(const SnapshotImage& image, const LevelUnit& unit) {
  ObjectBytes bytes;
  for (std::uint32_t i = 0; i < unit.size; ++i) bytes.push_back(image.Read(unit.start + i));
  return bytes;
}

RecordClip LevelClip(const SnapshotImage& image, std::uint32_t start, std::uint32_t end) {
  RecordClip clip;
  if (end < start + kRecordSize) return clip;
  for (const LevelUnit& unit : LevelUnits(image, start, end - kRecordSize, true))
    clip.objects.push_back(UnitBytes(image, unit));
  return clip;
}

std::string CountText(int objects, int bytes) {
  return std::to_string(objects) + (objects == 1 ? " object, " : " objects, ") + std::to_string(bytes) +
         (bytes == 1 ? " byte" : " bytes");
}

std::optional<std::uint32_t> ParseAddress(const std::string& word) {
  std::string digits = word;
  int base = 10;
  if (digits.rfind("$", 0) == 0) {
    digits.erase(0, 1);
    base = 16;
  } else if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
    digits.erase(0, 2);
    base = 16;
  }
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [last, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc() || last != end || value > 0xFFFF) return std::nullopt;
  return value;
}

Result<InsertWords> ParseInsertWords(const std::vector<std::string>& words) {
  if (words.size() >= 2 && LowerText(words[1]) == kRawWord) return ParseRawInsert(words);
  const auto nameEnd = std::find_if(words.begin() + 1, words.end(), IsOptionWord);
  if (nameEnd == words.begin() + 1) return Error{"insert needs NAME at ADDRESS, or NAME alone after a 'before' line"};
  const std::string name = JoinedWords(words, 1, static_cast<std::size_t>(nameEnd - words.begin()));
  const Result<int> tag = FindInsertionTag(name);
  if (!tag) {
    if (nameEnd == words.end() && name.find('$') != std::string::npos)
      return Error{"insert needs NAME at ADDRESS, or NAME alone after a 'before' line: " + tag.ErrorMessage()};
    return Error{tag.ErrorMessage()};
  }
  InsertWords insert;
  insert.tag = *tag;
  for (auto word = nameEnd; word != words.end(); word += 2) {
    if (word + 1 == words.end()) return Error{"'" + *word + "' needs a number after it"};
    if (*word == "at" && !insert.address && word == nameEnd) {
      insert.address = ParseAddress(*(word + 1));
      if (!insert.address) return Error{"'" + *(word + 1) + "' is not an address ($9300, 0x9300 or 37632)"};
    } else if (*word == "column" && !insert.column) {
      const Result<int> column = NumberIn(*(word + 1), 0, kLastColumn, "column");
      if (!column) return Error{column.ErrorMessage()};
      insert.column = *column;
    } else if (*word == "value" && !insert.value) {
      const PromptedTag* prompted = FindPromptedTag(insert.tag);
      const TwoByteTag* limits = FindTwoByteTag(insert.tag);
      if (!prompted || !limits) return Error{std::string(InsertionCaption(insert.tag)) + " takes no value"};
      const Result<int> value = NumberIn(*(word + 1), limits->minimum, limits->maximum, "value");
      if (!value) return Error{value.ErrorMessage()};
      insert.value = *value;
    } else {
      return Error{"'" + *word + "' is not understood here (at ADDRESS, column C or value V)"};
    }
  }
  if (FindPromptedTag(insert.tag) && !insert.value)
    return Error{std::string(InsertionCaption(insert.tag)) + " needs value V"};
  insert.bytes = TagBytes(insert.tag, insert.column.value_or(0), insert.value);
  return insert;
}

std::string InsertLine(std::span<const std::uint8_t> object) {
  const ObjectBytes bytes(object.begin(), object.end());
  if (const GroupTag* group = GroupOfBytes(bytes)) {
    const std::string name = "insert " + InsertionName(group->tag);
    return group->columnInSecondByte ? name + " column " + std::to_string(bytes[1]) : name;
  }
  std::string lines;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += kRecordSize) {
    const std::optional<std::string> named = TwoByteLine(bytes[i], bytes[i + 1]);
    lines += (lines.empty() ? "" : "\n") + named.value_or(RawLine(bytes[i], bytes[i + 1]));
  }
  return lines;
}

std::string ClipScript(const RecordClip& clip, std::optional<int> level) {
  std::string text = "# Kestrova Editor: " + CountText(clip.Objects(), clip.Bytes()) + "\n";
  if (level) text += "before level " + std::to_string(*level) + "\n";
  for (const ObjectBytes& object : clip.objects) text += InsertLine(object) + "\n";
  return text;
}

Result<RecordClip> ParseClipScript(const std::string& text) {
  RecordClip clip;
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::vector<std::string> words = TextWords(line.substr(0, line.find('#')));
    if (words.empty()) continue;
    const std::string verb = LowerText(words[0]);
    if (verb == "before") continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (verb != "insert") return Error{where + "only insert commands can be pasted, not '" + words[0] + "'"};
    const Result<InsertWords> insert = ParseInsertWords(words);
    if (!insert) return Error{where + insert.ErrorMessage()};
    clip.objects.push_back(insert->bytes);
  }
  if (clip.objects.empty()) return Error{"the text holds no insert command to paste"};
  return clip;
}

std::vector<std::uint8_t> EncodeClip(const RecordClip& clip) {
  std::vector<std::uint8_t> data(kClipHeader.begin(), kClipHeader.end());
  for (const ObjectBytes& object : clip.objects) {
    data.push_back(static_cast<std::uint8_t>(object.size()));
    data.insert(data.end(), object.begin(), object.end());
  }
  return data;
}

Result<RecordClip> DecodeClip(std::span<const std::uint8_t> data) {
  const Error notOurs{"the clipboard holds no objects of this editor"};
  if (data.size() > kMostClipBytes || data.size() < kClipHeader.size() ||
      !std::equal(kClipHeader.begin(), kClipHeader.end(), data.begin()))
    return notOurs;
  RecordClip clip;
  for (std::size_t at = kClipHeader.size(); at < data.size();) {
    const std::size_t size = data[at++];
    if (size == 0 || size % kRecordSize != 0 || at + size > data.size()) return notOurs;
    ObjectBytes object(data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + size));
    if (const Outcome allowed = ObjectAllowed(object); !allowed) return Error{allowed.ErrorMessage()};
    clip.objects.push_back(std::move(object));
    at += size;
  }
  if (clip.objects.empty()) return notOurs;
  return clip;
}

}  // namespace kestrova
