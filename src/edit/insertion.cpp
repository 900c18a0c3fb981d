#include "edit/insertion.h"

#include <algorithm>

namespace kestrova {

namespace {

template <std::size_t N>
bool Lists(const std::array<int, N>& tags, int tag) {
  return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

}  // namespace

const TwoByteTag* FindTwoByteTag(int tag) {
  for (const TwoByteTag& entry : kTwoByteTags)
    if (entry.tag == tag) return &entry;
  return nullptr;
}

const GroupTag* FindGroupTag(int tag) {
  for (const GroupTag& entry : kGroupTags)
    if (entry.tag == tag) return &entry;
  return nullptr;
}

std::vector<std::uint8_t> GroupBytes(const GroupTag& group, int column) {
  std::vector<std::uint8_t> bytes(group.bytes.begin(), group.bytes.begin() + group.size);
  if (group.columnInSecondByte) {
    bytes[1] = static_cast<std::uint8_t>(ClampColumn(column, kGroupColumnMinimum, kGroupColumnMaximum) & 0xFF);
  }
  return bytes;
}

int InsertionSize(int tag) {
  if (FindTwoByteTag(tag)) return 2;
  if (const GroupTag* group = FindGroupTag(tag)) return group->size;
  return 0;
}

std::string TooFewBytesReason(int tag, std::int32_t needed, std::int32_t bytesFree) {
  return std::string(InsertionCaption(tag)) + " needs " + std::to_string(needed) + " bytes; " +
         std::to_string(bytesFree) + (bytesFree == 1 ? " is free" : " are free");
}

std::string_view InsertionCaption(int tag) {
  if (const TwoByteTag* entry = FindTwoByteTag(tag)) return entry->caption;
  if (const GroupTag* group = FindGroupTag(tag)) return group->caption;
  return {};
}

MenuCommand InsertionCommand(int tag) {
  if (FindTwoByteTag(tag)) return MenuCommand::InsertSinglePair;
  if (const GroupTag* group = FindGroupTag(tag)) return group->command;
  return MenuCommand::None;
}

bool IsFortressTag(int tag) { return InsertionCommand(tag) == MenuCommand::InsertFortress; }

const PromptedTag* FindPromptedTag(int tag) {
  for (const PromptedTag& entry : kPromptedTags)
    if (entry.tag == tag) return &entry;
  return nullptr;
}

int ClampColumn(int column, int minimum, int maximum) {
  int operand = column;
  if (operand >= maximum) operand = maximum;
  if (operand <= minimum) operand = minimum;
  return operand;
}

int TwoByteOperand(const TwoByteTag& entry, int column) {
  const int tag = entry.tag;
  int operand = ClampColumn(column, entry.minimum, entry.maximum);
  if (Lists(kDoubleCliffTags, tag)) operand += kDoubleCliffFlag;
  if (Lists(kMirroredTags, tag)) operand += kMirroredFlag;
  if (Lists(kJumpingSoldiersTags, tag)) operand += kJumpingSoldiersFlag;
  if (Lists(kAlarmOnTags, tag)) operand = 1;
  if (Lists(kRoadEdgingTags, tag)) operand = operand < kRoadEdgingHalf ? 0 : kRoadEdgingHalf;
  if (Lists(kZeroOperandTags, tag)) operand = 0;
  return operand;
}

bool WriteInsertion(SnapshotImage& image, PointerState& state, int tag, std::uint32_t p, const AskOperand& ask) {
  if (const TwoByteTag* entry = FindTwoByteTag(tag)) {
    state.operandMin = entry->minimum;
    state.operandMax = entry->maximum;
    image.Write(p, entry->code);
    int operand = TwoByteOperand(*entry, state.pointerColumn);
    if (const PromptedTag* prompt = FindPromptedTag(tag)) operand = ask(*prompt, entry->minimum, entry->maximum);
    state.pointerColumn = operand;
    image.Write(p + 1, static_cast<std::uint8_t>(operand & 0xFF));
    return true;
  }
  const GroupTag* group = FindGroupTag(tag);
  if (!group) return false;
  if (group->columnInSecondByte) {
    state.operandMin = kGroupColumnMinimum;
    state.operandMax = kGroupColumnMaximum;
    state.pointerColumn = ClampColumn(state.pointerColumn, kGroupColumnMinimum, kGroupColumnMaximum);
  }
  const std::vector<std::uint8_t> bytes = GroupBytes(*group, state.pointerColumn);
  for (std::uint32_t i = 0; i < bytes.size(); ++i) image.Write(p + i, bytes[i]);
  return true;
}

}  // namespace kestrova
