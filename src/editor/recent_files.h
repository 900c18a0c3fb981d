#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ports/files.h"

namespace kestrova {

inline constexpr std::size_t kMostRecentFiles = 10;

// "File" > "Open Recent": the snapshots last loaded or saved, the most recent
// first, each path once, at most kMostRecentFiles.
std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path);

// One entry of the menu: a file that is gone is shown greyed with a note,
// so the person sees why it no longer opens.
struct RecentFileEntry {
  std::string path;
  std::string caption;  // "&1 /games/level.sna", "&2 /old.sna (not found)"
  bool exists = true;
  bool operator==(const RecentFileEntry&) const = default;
};
std::vector<RecentFileEntry> RecentFileEntries(const std::vector<std::string>& recent, Files& files);

}  // namespace kestrova
