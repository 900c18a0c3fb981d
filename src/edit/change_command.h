#pragma once

#include <cstdint>
#include <string>

#include "ports/ui.h"

namespace kestrova {

constexpr const char* kColumnLabel = "Column";
constexpr const char* kDistanceLabel = "Distance";
constexpr int kDistanceMinimum = 1;
constexpr int kDistanceMaximum = 255;

// The change prompt for a label ("Column" or "Distance"), the range and the
// record's operand: "Alter Column", "Enter New Column 00-30", and the
// current value (the column bits, or the whole distance) as default.
struct ChangePrompt {
  std::string title;
  std::string prompt;
  std::string defaultText;
};
ChangePrompt MakeChangePrompt(const std::string& label, int minimum, int maximum, std::uint8_t operand);

// Shows the prompt until an entry is accepted (1..3 characters, a decimal
// number in range); Cancel gives the default back, tested like an entry.
int AskChangeValue(Ui& ui, const ChangePrompt& prompt, int minimum, int maximum);

// The new operand: a column keeps the flag bits 5..7; a distance is the value.
std::uint8_t ChangedOperand(const std::string& label, std::uint8_t operand, int value);

}  // namespace kestrova
