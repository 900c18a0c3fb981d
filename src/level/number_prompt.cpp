#include "level/number_prompt.h"

#include <climits>

namespace kestrova {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int> ReadLeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  // Accumulated as a magnitude, held at one past INT_MAX so INT_MIN still fits.
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int>(-magnitude);
  return static_cast<int>(magnitude > INT_MAX ? INT_MAX : magnitude);
}

std::optional<int> AcceptSettingsReply(std::string_view reply, int maxLength, int min, int max) {
  const std::string_view trimmed = TrimBlanks(reply);
  if (maxLength < 1 || trimmed.empty() || trimmed.size() > static_cast<std::size_t>(maxLength)) return std::nullopt;
  const std::optional<int> value = ReadLeadingInteger(trimmed);
  if (!value || *value < min || *value > max) return std::nullopt;
  return value;
}

std::string RefusedNumberText(int min, int max) {
  return "Enter a number from " + std::to_string(min) + " to " + std::to_string(max) + ".";
}

int AskUntilAccepted(Ui& ui, InputBoxRequest request, int min, int max, const ReplyTest& accept) {
  for (;;) {
    const std::string reply = ui.InputBox(request);
    if (const std::optional<int> value = accept(reply)) return *value;
    request.refusal = RefusedNumberText(min, max);
  }
}

int AskSettingsNumber(Ui& ui, const std::string& title, const std::string& prompt, const std::string& defaultText,
                      int maxLength, int min, int max) {
  return AskUntilAccepted(ui, {title, prompt, defaultText, {}}, min, max,
                          [&](std::string_view reply) { return AcceptSettingsReply(reply, maxLength, min, max); });
}

int AskSettingsNumber(Ui& ui, const SettingsPrompt& prompt, std::uint8_t current) {
  return AskSettingsNumber(ui, std::string(prompt.title), std::string(prompt.prompt), std::to_string(current),
                           prompt.maxLength, prompt.min, prompt.max);
}

}  // namespace kestrova
