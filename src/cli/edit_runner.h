#pragma once

#include <optional>
#include <string>

#include "base/result.h"
#include "cli/edit_script.h"
#include "cli/session.h"
#include "editor/editor.h"

namespace kestrova::cli {

// Runs edit commands through the Editor's handlers as a person would in the
// window: a record is pointed at on the map and its popup item clicked, an
// object dropped from the palette, a prompt answered, a wipe pressed.
class EditRunner {
 public:
  EditRunner(Editor& editor, BatchUi& ui) : editor_(editor), ui_(ui) {}

  // Done when the command was carried out; otherwise refused with why
  // (the handler's own reason where a handler refused; the editor is then as
  // the handler left it: nothing of a refused command changes the game).
  Outcome Run(const EditCommand& command);

 private:
  // The map pixel of the record, or why it cannot be pointed at.
  Outcome Point(std::uint32_t address, std::optional<int> column, MapPixel& pixel);
  // Right-clicks the record (in `column` when given); its popup then stands.
  Outcome OpenPopup(std::uint32_t address, std::optional<int> column = std::nullopt);
  Outcome Insert(const EditCommand& command);
  Outcome Before(const EditCommand& command);
  Outcome InsertHere(const EditCommand& command);
  Outcome Delete(const EditCommand& command);
  Outcome Change(const EditCommand& command);
  Outcome Colour(const EditCommand& command);
  Outcome Wipe(const EditCommand& command);

  Editor& editor_;
  BatchUi& ui_;
  // The record the inserts without "at" go in front of, as it has moved.
  std::optional<std::uint32_t> here_;
};

}  // namespace kestrova::cli
