// Which byte strings are well-formed UTF-8, and how the others are shown.
#include <gtest/gtest.h>

#include "base/utf8.h"

namespace kestrova {
namespace {

struct Text {
  const char* name;
  std::string bytes;
  bool valid;
  std::string shown;  // as EscapedUtf8 writes it
};

const Text kTexts[] = {
    {"plain", "level.sna", true, "level.sna"},
    {"empty", "", true, ""},
    {"two-byte", "\xC3\xA9t\xC3\xA9.sna", true, "\xC3\xA9t\xC3\xA9.sna"},
    {"three-byte", "\xE2\x82\xAC", true, "\xE2\x82\xAC"},
    {"four-byte, the last code point", "\xF4\x8F\xBF\xBF", true, "\xF4\x8F\xBF\xBF"},
    {"Latin-1 byte", "o\xFFx.sna", false, "o\\xFFx.sna"},
    {"stray continuation", "a\x80", false, "a\\x80"},
    {"cut short at the end", "a\xE2\x82", false, "a\\xE2\\x82"},
    {"cut short by a plain byte", "\xE2(\xA1", false, "\\xE2(\\xA1"},
    {"overlong NUL", "\xC0\x80", false, "\\xC0\\x80"},
    {"overlong slash", "\xE0\x80\xAF", false, "\\xE0\\x80\\xAF"},
    {"surrogate", "\xED\xA0\x80", false, "\\xED\\xA0\\x80"},
    {"past U+10FFFF", "\xF4\x90\x80\x80", false, "\\xF4\\x90\\x80\\x80"},
    {"five-byte lead", "\xF8\x88\x80\x80\x80", false, "\\xF8\\x88\\x80\\x80\\x80"},
};

TEST(Utf8, WellFormedOrNotAndTheEscapedForm) {
  for (const Text& text : kTexts) {
    EXPECT_EQ(IsValidUtf8(text.bytes), text.valid) << text.name;
    EXPECT_EQ(EscapedUtf8(text.bytes), text.shown) << text.name;
    EXPECT_TRUE(IsValidUtf8(EscapedUtf8(text.bytes))) << text.name;
  }
}

}  // namespace
}  // namespace kestrova
