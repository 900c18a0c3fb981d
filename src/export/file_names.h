#pragma once

#include <span>
#include <string>
#include <string_view>

#include "base/paths.h"

namespace kestrova {

// What a save makes of the name the person chose. The name is never cut:
// - it ends in one of the command's extensions (any case): kept exactly, and
//   that extension decides the format ("keep.v2.sna", "GAME.SNA");
// - its file-name part has no extension ("out/final"): the command's default
//   is appended;
// - it ends in another extension ("mod.txt"): refused, nothing is written
//   under a name the person did not give;
// - no name stands before the extension (".sna", an empty file-name part):
//   refused as unusable.
// Folders in the path are never changed, whatever dots they hold.
enum class SaveNameKind { Usable, OtherExtension, NoName };

struct SaveName {
  SaveNameKind kind = SaveNameKind::NoName;
  std::string path;  // Usable: the name to write
  // The command's extension, as listed, that the name ends in once usable;
  // for a refused name the one it stands for (its own, or the default).
  std::string extension;
};

// `accepted` lists the command's extensions in lower case (".sna", ".szx");
// `defaultExtension` is one of them.
SaveName NameForSave(std::string_view chosen, std::span<const std::string_view> accepted,
                     std::string_view defaultExtension);

// The message for a name with another extension:
// "mod.txt" was not saved: the name must end in .sna or .szx.
std::string OtherExtensionText(std::string_view chosen, std::span<const std::string_view> accepted);

// "a", "a or b", "a, b or c".
std::string ListedAlternatives(std::span<const std::string_view> names);

}  // namespace kestrova
