#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace kestrova {

// How the Editor reads and writes whole files. The app and the CLI implement
// it with QFile and QSaveFile, so a write replaces an existing file only with
// a complete new one; tests use an in-memory fake.
class Files {
 public:
  virtual ~Files() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual Result<std::vector<std::uint8_t>> Read(const std::string& path) = 0;
  // Nothing on success, otherwise the reason the write failed. A failed
  // write leaves any existing file as it was.
  virtual std::optional<Error> Write(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace kestrova
