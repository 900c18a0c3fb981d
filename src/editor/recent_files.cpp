#include "editor/recent_files.h"

#include <algorithm>

namespace kestrova {

namespace {

// A menu reads '&' as the mark of its key; a path's own '&' stays one.
std::string MenuText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

}  // namespace

std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path) {
  if (path.empty()) return recent;
  std::erase(recent, path);
  recent.insert(recent.begin(), path);
  if (recent.size() > kMostRecentFiles) recent.resize(kMostRecentFiles);
  return recent;
}

std::vector<RecentFileEntry> RecentFileEntries(const std::vector<std::string>& recent, Files& files) {
  std::vector<RecentFileEntry> entries;
  for (const std::string& path : recent) {
    if (entries.size() == kMostRecentFiles) break;
    const bool exists = files.Exists(path);
    // The number is the entry's key (Alt+1 ... Alt+9, then 0).
    const std::size_t number = (entries.size() + 1) % 10;
    std::string caption = "&" + std::to_string(number) + " " + MenuText(path);
    if (!exists) caption += " (not found)";
    entries.push_back({path, caption, exists});
  }
  return entries;
}

}  // namespace kestrova
