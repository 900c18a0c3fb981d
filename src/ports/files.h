#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace kestrova {

// The largest file Read takes. Every file the editor reads is far smaller
// (a 128K snapshot is 131103 bytes, a screen 6912), so anything larger is
// refused before it is read: a link to /dev/zero or a stray disk image can
// neither exhaust memory nor take seconds to turn down.
constexpr std::size_t kLargestReadFile = std::size_t{1} << 20;  // 1 MiB
inline constexpr const char* kLargestReadFileText = "1 MiB";

// How the Editor reads and writes whole files. The app and the CLI implement
// it with QtFiles, so a write replaces an existing file only with a complete
// new one; tests use an in-memory fake.
class Files {
 public:
  virtual ~Files() = default;
  virtual bool Exists(const std::string& path) = 0;
  // The whole content of a regular file (or of a link to one) of at most
  // kLargestReadFile bytes. Anything else (a folder, a named pipe, a device,
  // a larger file) is refused before any byte is read, never waited for.
  virtual Result<std::vector<std::uint8_t>> Read(const std::string& path) = 0;
  // Done, or refused with the reason the write failed. A failed
  // write leaves any existing file as it was; a path that is not a regular
  // file (or a link to one) is refused and left alone.
  virtual Outcome Write(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace kestrova
