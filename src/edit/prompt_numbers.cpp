#include "edit/prompt_numbers.h"

#include <cmath>
#include <cstdio>

namespace kestrova {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One pass over a number: the position where it stops, whether the text up
// to there is a complete number, its value if so, and every digit read as one
// whole number.
struct NumberScan {
  std::size_t stop = 0;
  bool complete = false;
  double value = 0;
  double digits = 0;
  bool anyDigit = false;
};

NumberScan ScanNumber(std::string_view text, std::size_t at) {
  NumberScan scan;
  std::size_t p = at;
  double mantissa = 0;
  int fractionDigits = 0;
  bool mantissaDigit = false;
  auto take = [&](char c) {
    scan.digits = scan.digits * 10 + (c - '0');
    scan.anyDigit = true;
  };
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    take(text[p]);
    mantissa = mantissa * 10 + (text[p] - '0');
    mantissaDigit = true;
  }
  if (p < text.size() && text[p] == '.') {
    for (++p; p < text.size() && IsDigit(text[p]); ++p) {
      take(text[p]);
      mantissa = mantissa * 10 + (text[p] - '0');
      ++fractionDigits;
      mantissaDigit = true;
    }
  }
  bool exponentComplete = true;
  int exponent = 0;
  if (mantissaDigit && p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    exponentComplete = false;
    ++p;
    bool exponentNegative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) exponentNegative = text[p++] == '-';
    for (; p < text.size() && IsDigit(text[p]); ++p) {
      take(text[p]);
      if (exponent < 10000) exponent = exponent * 10 + (text[p] - '0');
      exponentComplete = true;
    }
    if (exponentNegative) exponent = -exponent;
  }
  scan.stop = p;
  scan.complete = mantissaDigit && exponentComplete;
  if (scan.complete) {
    scan.value = mantissa * std::pow(10.0, exponent - fractionDigits);
    if (negative) scan.value = -scan.value;
  }
  return scan;
}

bool InRange(double value, int minimum, int maximum) { return value >= minimum && value <= maximum; }

}  // namespace

std::string RangeText(int minimum, int maximum) {
  char text[32];
  std::snprintf(text, sizeof text, " %.2d-%.2d", minimum, maximum);
  return text;
}

double ReadInsertionNumber(std::string_view reply) {
  std::size_t start = 0;
  while (start < reply.size() && reply[start] == ' ') ++start;
  const NumberScan scan = ScanNumber(reply, start);
  if (scan.complete && scan.stop == reply.size()) return scan.value;
  return scan.anyDigit ? scan.digits : 0;
}

std::optional<int> AcceptInsertionReply(std::string_view reply, int minimum, int maximum) {
  const std::size_t length = TrimBlanks(reply).size();
  if (length < 1 || length > 3) return std::nullopt;
  const double value = ReadInsertionNumber(reply);
  if (!InRange(value, minimum, maximum)) return std::nullopt;
  return static_cast<int>(std::trunc(value));
}

int AskInsertionNumber(Ui& ui, const std::string& title, const std::string& message, int minimum, int maximum) {
  return AskUntilAccepted(ui, {title, message + RangeText(minimum, maximum), "20", {}}, minimum, maximum,
                          [&](std::string_view reply) { return AcceptInsertionReply(reply, minimum, maximum); });
}

std::optional<double> ReadDecimal(std::string_view entry) {
  const std::string_view text = TrimBlanks(entry);
  const NumberScan scan = ScanNumber(text, 0);
  if (!scan.complete || scan.stop != text.size()) return std::nullopt;
  return scan.value;
}

std::optional<int> AcceptChangeReply(std::string_view entry, int minimum, int maximum) {
  const std::size_t length = TrimBlanks(entry).size();
  if (length < 1 || length > 3) return std::nullopt;
  const auto value = ReadDecimal(entry);
  if (!value || !InRange(*value, minimum, maximum)) return std::nullopt;
  return static_cast<int>(std::trunc(*value));
}

}  // namespace kestrova
