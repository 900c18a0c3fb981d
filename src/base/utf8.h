#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Whether the bytes are well-formed UTF-8: no stray continuation byte, no
// overlong form, no surrogate, nothing past U+10FFFF. File names reach Qt as
// text, and a name that is not UTF-8 would come back as another name.
bool IsValidUtf8(std::string_view text);

// The length of the well-formed UTF-8 sequence at the start of `text` (not
// empty), or 0 when the first byte starts none.
std::size_t Utf8SequenceLength(std::string_view text);

// The text with every byte that is not part of a well-formed UTF-8 sequence
// written as \xHH, so that a message can name it without raw bytes.
std::string EscapedUtf8(std::string_view text);

// What the tool and the window say of a name that is not UTF-8.
inline constexpr const char* kNotUtf8Reason = "the name is not valid UTF-8; rename the file";

}  // namespace kestrova
