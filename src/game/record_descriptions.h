#pragma once

#include <cstdint>
#include <string>

namespace kestrova {

// What a record is, in words ("A tree in column 5", "Turn the alarm ON");
// empty for a code the game does not know. The assembler listing writes it
// after a record's address, the tool's listings show it.
std::string RecordWords(std::uint8_t code, std::uint8_t operand);

}  // namespace kestrova
