#pragma once

#include <optional>
#include <string>

#include "base/result.h"

namespace kestrova {

// A decimal whole number and nothing else ("12", "-3"); nothing for "", "1x".
std::optional<int> WholeNumber(const std::string& text);

// The whole number a word names, within minimum..maximum; the reason, naming
// the word as `what`, when it is not one.
Result<int> NumberIn(const std::string& word, int minimum, int maximum, const std::string& what);

}  // namespace kestrova
