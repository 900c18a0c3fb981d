#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/files.h"

namespace kestrova::testing {

// Files held in memory. Paths listed in `unreadable` fail to read, paths in
// `unwritable` fail to write (the old content stays).
class MemoryFiles : public Files {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::set<std::string> unreadable;
  std::set<std::string> unwritable;
  std::vector<std::string> writes;  // every path written, in order

  bool Exists(const std::string& path) override;
  Result<std::vector<std::uint8_t>> Read(const std::string& path) override;
  Outcome Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

}  // namespace kestrova::testing
