#include "base/whole_number.h"

#include <charconv>

namespace kestrova {

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || last != end) return std::nullopt;
  return value;
}

Result<int> NumberIn(const std::string& word, int minimum, int maximum, const std::string& what) {
  const std::optional<int> value = WholeNumber(word);
  if (!value || *value < minimum || *value > maximum)
    return Error{what + " '" + word + "' is not a whole number from " + std::to_string(minimum) + " to " +
                 std::to_string(maximum)};
  return *value;
}

}  // namespace kestrova
