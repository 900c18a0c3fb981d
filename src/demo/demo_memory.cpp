#include "demo/demo_memory.h"

#include <cstdio>

namespace kestrova::demo {

namespace {

std::string Hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
  return text;
}

}  // namespace

DemoMemory::DemoMemory(SnapshotImage& image)
    : image_(image), writers_{std::string()}, writerOfByte_(kRamEnd - kRamStart + 1, kNobody) {}

void DemoMemory::Write(std::uint32_t address, std::uint8_t value, std::string_view writer) {
  if (address < kRamStart || address > kRamEnd) {
    throw DemoMemoryConflict(std::string(writer) + " writes outside the RAM at " + Hex(address, 4));
  }
  std::uint16_t& owner = writerOfByte_[address - kRamStart];
  if (owner != kNobody) {
    const std::uint8_t held = image_.Read(address);
    if (held != value) {
      throw DemoMemoryConflict(Hex(address, 4) + ": " + std::string(writer) + " needs " + Hex(value, 2) + " but " +
                               writers_[owner] + " wrote " + Hex(held, 2));
    }
    return;
  }
  owner = WriterIndex(writer);
  image_.Write(address, value);
}

void DemoMemory::WriteWord(std::uint32_t address, std::uint16_t value, std::string_view writer) {
  Write(address, static_cast<std::uint8_t>(value & 0xFF), writer);
  Write(address + 1, static_cast<std::uint8_t>(value >> 8), writer);
}

bool DemoMemory::Used(std::uint32_t address) const {
  return address >= kRamStart && address <= kRamEnd && writerOfByte_[address - kRamStart] != kNobody;
}

std::string_view DemoMemory::WriterOf(std::uint32_t address) const {
  if (!Used(address)) return {};
  return writers_[writerOfByte_[address - kRamStart]];
}

std::uint16_t DemoMemory::WriterIndex(std::string_view writer) {
  // Writers come in long runs of bytes, so the last name is the usual hit.
  if (writers_.size() > 1 && writers_.back() == writer) return static_cast<std::uint16_t>(writers_.size() - 1);
  for (std::size_t i = 1; i < writers_.size(); ++i) {
    if (writers_[i] == writer) return static_cast<std::uint16_t>(i);
  }
  writers_.emplace_back(writer);
  return static_cast<std::uint16_t>(writers_.size() - 1);
}

}  // namespace kestrova::demo
