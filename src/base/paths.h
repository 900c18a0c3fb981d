#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrova {

// Which characters end a folder: the file system's '/' alone (names on the
// disk may hold a '\'), or also '\', as a person may type a path.
enum class PathSeparators { Slash, SlashOrBackslash };

// Where the file-name part of a path starts (after its last separator).
std::size_t FileNameStart(std::string_view path, PathSeparators separators = PathSeparators::SlashOrBackslash);

// The file-name part of a path.
std::string FileNameOf(std::string_view path, PathSeparators separators = PathSeparators::SlashOrBackslash);

// The folder part of a path, without its last separator; "." when the path
// names no folder, the separator itself for a file in the root.
std::string FolderOf(std::string_view path, PathSeparators separators = PathSeparators::SlashOrBackslash);

// The name's text from its last '.', when no folder separator ('/', '\' or
// ':') follows that '.'; empty otherwise.
std::string FileExtension(std::string_view path);

}  // namespace kestrova
