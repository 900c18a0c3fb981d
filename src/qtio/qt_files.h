#pragma once

#include "ports/files.h"

namespace kestrova {

// Files through POSIX calls: a read takes only a regular file within
// kLargestReadFile and never blocks; a write replaces only a regular file (or
// the file a link leads to), and only with a complete new one that is on the
// disk, reporting every failure on the way with the system's reason.
class QtFiles : public Files {
 public:
  bool Exists(const std::string& path) override;
  Result<std::vector<std::uint8_t>> Read(const std::string& path) override;
  Outcome Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

// What a stream (standard input) holds, up to kLargestReadFile; more is
// refused after reading one byte past the bound, so an endless stream ends.
Result<std::vector<std::uint8_t>> ReadStream(int fd);

}  // namespace kestrova
