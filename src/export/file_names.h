#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The saving rule shared by every save command: the file-name part of the
// path (after its last '/' or '\') is cut before its first '.', if it has one,
// and `extension` is appended; the folders are left as they are. Nothing when
// no name stands before the extension (there is nothing the file can be
// called).
std::optional<std::string> ForceExtension(std::string_view path, std::string_view extension);

}  // namespace kestrova
