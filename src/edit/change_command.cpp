#include "edit/change_command.h"

#include "edit/prompt_numbers.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

constexpr std::uint8_t kFlagBits = 0xE0;

bool IsColumn(const std::string& label) { return label == kColumnLabel; }

}  // namespace

ChangePrompt MakeChangePrompt(const std::string& label, int minimum, int maximum, std::uint8_t operand) {
  const int current = IsColumn(label) ? (operand & kColumnBits) : operand;
  return {"Alter " + label, "Enter New " + label + RangeText(minimum, maximum), std::to_string(current)};
}

int AskChangeValue(Ui& ui, const ChangePrompt& prompt, int minimum, int maximum) {
  return AskUntilAccepted(ui, {prompt.title, prompt.prompt, prompt.defaultText, {}}, minimum, maximum,
                          [&](std::string_view entry) { return AcceptChangeReply(entry, minimum, maximum); });
}

std::uint8_t ChangedOperand(const std::string& label, std::uint8_t operand, int value) {
  if (IsColumn(label)) return static_cast<std::uint8_t>(((operand & kFlagBits) + value) & 0xFF);
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace kestrova
