#include "level/level_stream.h"

namespace kestrova {

const ObjectCodeInfo* FindObjectCode(std::uint8_t code) {
  for (const ObjectCodeInfo& info : kObjectCodes) {
    if (static_cast<std::uint8_t>(info.code) == code) return &info;
  }
  return nullptr;
}

}  // namespace kestrova
