#include "base/utf8.h"

#include <cstdint>
#include <cstdio>

namespace kestrova {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  const auto first = static_cast<unsigned char>(text[0]);
  if (first < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t smallest = 0;
  if ((first & 0xE0) == 0xC0) {
    length = 2, code = first & 0x1Fu, smallest = 0x80;
  } else if ((first & 0xF0) == 0xE0) {
    length = 3, code = first & 0x0Fu, smallest = 0x800;
  } else if ((first & 0xF8) == 0xF0) {
    length = 4, code = first & 0x07u, smallest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return 0;
    code = (code << 6) | (byte & 0x3Fu);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < smallest || surrogate || code > 0x10FFFF) return 0;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string EscapedUtf8(std::string_view text) {
  std::string escaped;
  while (!text.empty()) {
    std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[0]));
      escaped += hex;
      length = 1;
    } else {
      escaped += text.substr(0, length);
    }
    text.remove_prefix(length);
  }
  return escaped;
}

}  // namespace kestrova
