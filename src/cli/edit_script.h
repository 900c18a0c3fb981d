#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "edit/insert_names.h"
#include "game/record_script.h"

namespace kestrova::cli {

// One command of an edit script, read but not run.
struct EditCommand {
  enum class Kind {
    Lives,
    Spawn,
    Delay,
    Fortress,
    Insert,
    InsertHere,  // an insert without "at": in front of the record "before" named
    Before,      // the record later inserts without "at" go in front of
    Delete,
    Change,
    Ink,
    Paper,
    WipeCurrent,
    WipeAllAfter
  };
  Kind kind = Kind::Lives;
  int line = 0;                     // 1-based, in its script
  std::string text;                 // the line as written
  std::vector<int> numbers;         // settings, the new value, the wipe's level
  int tag = -1;                     // insert
  std::uint32_t address = 0;        // insert, delete, change, ink, paper
  std::optional<int> column;        // insert, ink, paper
  std::optional<int> value;         // insert of a tag whose value is asked
  std::string colour;               // ink, paper: the menu's colour caption
  std::vector<std::uint8_t> bytes;  // an insert without "at": the records it writes
};

// Reads an edit script, one command a line; '#' starts a comment to the end
// of its line, and lines with no command are skipped. The first line that is not understood is the error,
// as "line N: reason". Never runs anything: the fuzzer of the command line
// drives it with any text.
Result<std::vector<EditCommand>> ParseEditScript(const std::string& script);

// Reads one command (the -e form); `line` is its number among them. The
// error is the reason alone.
Result<EditCommand> ParseEditCommand(const std::string& text, int line);

// Each edit command's form, as "lives N" or "delete ADDRESS".
std::vector<std::string> EditCommandForms();

}  // namespace kestrova::cli
