#include "support/memory_files.h"

namespace kestrova::testing {

bool MemoryFiles::Exists(const std::string& path) { return files.count(path) != 0; }

Result<std::vector<std::uint8_t>> MemoryFiles::Read(const std::string& path) {
  if (unreadable.count(path)) return Error{"Permission denied"};
  auto it = files.find(path);
  if (it == files.end()) return Error{"No such file or directory"};
  return it->second;
}

Outcome MemoryFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (unwritable.count(path)) return Error{"Permission denied"};
  files[path] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  writes.push_back(path);
  return Outcome::Done();
}

}  // namespace kestrova::testing
