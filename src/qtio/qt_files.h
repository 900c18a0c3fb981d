#pragma once

#include "ports/files.h"

namespace kestrova {

// Files through POSIX reads and QSaveFile: a read takes only a regular file
// within kLargestReadFile and never blocks; a write replaces an existing file
// only with a complete new one.
class QtFiles : public Files {
 public:
  bool Exists(const std::string& path) override;
  Result<std::vector<std::uint8_t>> Read(const std::string& path) override;
  std::optional<Error> Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

}  // namespace kestrova
