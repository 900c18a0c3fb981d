#pragma once

#include <optional>
#include <string>

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

  // Nothing when the command was carried out; otherwise why it was refused
  // (the editor is then as the handler left it: nothing of a refused
  // command changes the game).
  std::optional<std::string> Run(const EditCommand& command);

 private:
  // The map pixel of the record, or why it cannot be pointed at.
  std::optional<std::string> Point(std::uint32_t address, std::optional<int> column, MapPixel& pixel);
  // Right-clicks the record (in `column` when given); its popup then stands.
  std::optional<std::string> OpenPopup(std::uint32_t address, std::optional<int> column = std::nullopt);
  std::optional<std::string> Insert(const EditCommand& command);
  std::optional<std::string> Delete(const EditCommand& command);
  std::optional<std::string> Change(const EditCommand& command);
  std::optional<std::string> Colour(const EditCommand& command);
  std::optional<std::string> Wipe(const EditCommand& command);

  Editor& editor_;
  BatchUi& ui_;
};

}  // namespace kestrova::cli
