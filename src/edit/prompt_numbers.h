#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "level/number_prompt.h"
#include "ports/ui.h"

namespace kestrova {

// " %.2d" of the minimum, then "-%.2d" of the maximum: " 01-30", " 01-255".
std::string RangeText(int minimum, int maximum);

// The insertion prompt's reading of a reply (blanks first skipped). A reply
// that is wholly a number (sign, digits, decimal point and digits, exponent)
// gives its value. Otherwise the digits read before the first character that
// cannot continue the number count as one whole number, sign and decimal
// point ignored: "5x" gives 5, "-5x" 5, "2.9 " 29. No digit gives 0.
double ReadInsertionNumber(std::string_view reply);

// The insertion prompt's test: the trimmed reply is 1..3 characters long and
// its value lies in minimum..maximum; the value truncated toward zero.
std::optional<int> AcceptInsertionReply(std::string_view reply, int minimum, int maximum);

// Asks until a reply is accepted; every showing has the default "20", which
// is also what Cancel gives back. `message` is followed by the range text.
int AskInsertionNumber(Ui& ui, const std::string& title, const std::string& message, int minimum, int maximum);

// A plain decimal number (sign, digits, fraction, exponent) after trimming;
// nothing for any other entry.
std::optional<double> ReadDecimal(std::string_view entry);

// The change prompt's test: the trimmed entry is 1..3 characters long, a
// decimal number, and within minimum..maximum; the value truncated.
std::optional<int> AcceptChangeReply(std::string_view entry, int minimum, int maximum);

}  // namespace kestrova
