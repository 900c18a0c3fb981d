#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "editor/files.h"

namespace kestrova {

// The .szx (ZX-State) layer: the editor's only way to read and write .szx.
//
// Reading: every block of the file is handed to the callback with a pointer
// to the block as stored (4-character id, 32-bit body size, the fields), a
// pointer to the block's uncompressed payload and the payload's length.
// "RAMP" pages arrive inflated. Returns 0 on failure.
using SzxBlockCallback =
    std::function<std::uint32_t(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t length)>;

std::uint32_t LoadSZXStateFromBytes(std::span<const std::uint8_t> file, const SzxBlockCallback& callback);
std::uint32_t LoadSZXStateFromFile(Files& files, const std::string& path, const SzxBlockCallback& callback);

// Writing: one block per call into a byte sink. `block` holds the
// 4-character id at offset 0 and the block's fields at their format offsets
// (fields from offset 8; for "ZXST" the 8-byte file header). The layer fills
// the size field itself and compresses a "RAMP" payload when its flags word
// is 1.
using SzxBlockBuffer = std::array<std::uint8_t, 256>;

void SaveSZXBlockToFilehandle(std::vector<std::uint8_t>& sink, const SzxBlockBuffer& block,
                              const std::uint8_t* data, std::uint32_t length);

}  // namespace kestrova
