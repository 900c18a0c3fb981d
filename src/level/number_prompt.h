#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "level/game_settings.h"
#include "ports/ui.h"

namespace kestrova {

// The settings prompts' acceptance rule, kept free of any dialog so it can be
// tested on its own.

// Blank characters: removed by the trim and skipped before a number.
bool IsBlank(char c);

// The reply without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// The standard integer reading: leading blanks skipped, an optional sign,
// then decimal digits; the leading number is taken and the rest ignored
// ("5x" reads 5, "0x1F" reads 0). No digit where the number should begin
// means the reply is not a number. Values beyond int saturate.
std::optional<int> ReadLeadingInteger(std::string_view text);

// The value of a reply when it is acceptable: the trimmed reply holds 1 to
// maxLength characters and its number lies in min..max.
std::optional<int> AcceptSettingsReply(std::string_view reply, int maxLength, int min, int max);

// The line under a prompt's field once a reply was refused: the range the
// prompt accepts. "Enter a number from 1 to 255."
std::string RefusedNumberText(int min, int max);

// Shows `request` until `accept` takes a reply, and gives its value. Each
// showing after a refusal carries the refused-number line for min..max.
using ReplyTest = std::function<std::optional<int>(std::string_view reply)>;
int AskUntilAccepted(Ui& ui, InputBoxRequest request, int min, int max, const ReplyTest& accept);

// Asks until a reply is acceptable. Cancel gives the default text back, which
// is tested like any reply, so the prompt never abandons its command: a
// person can always type a value from the range the prompt states.
int AskSettingsNumber(Ui& ui, const std::string& title, const std::string& prompt, const std::string& defaultText,
                      int maxLength, int min, int max);
// The same for one of the settings prompts, with the byte's current value as
// the default.
int AskSettingsNumber(Ui& ui, const SettingsPrompt& prompt, std::uint8_t current);

}  // namespace kestrova
