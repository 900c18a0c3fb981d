#include "app/edit_script_hook.h"

#include "app/main_window.h"
#include "cli/edit_runner.h"
#include "cli/edit_script.h"
#include "qtio/qt_files.h"

namespace kestrova::app {

namespace {

// The commands that would open a prompt in the window, where no one answers.
bool AsksAQuestion(const cli::EditCommand& command) {
  using Kind = cli::EditCommand::Kind;
  return command.kind == Kind::Lives || command.kind == Kind::Spawn || command.kind == Kind::Delay ||
         command.kind == Kind::Change || command.value.has_value();
}

}  // namespace

Outcome RunEditScriptFile(TForm1& window, const std::string& path) {
  QtFiles files;
  const Result<std::vector<std::uint8_t>> text = files.Read(path);
  if (!text) return Error{path + ": " + text.ErrorMessage()};
  const Result<std::vector<cli::EditCommand>> script = cli::ParseEditScript(std::string(text->begin(), text->end()));
  if (!script) return Error{path + ": " + script.ErrorMessage()};
  cli::BatchUi unused;
  cli::EditRunner runner(window.Core(), unused);
  for (const cli::EditCommand& command : *script) {
    const std::string line = path + ": line " + std::to_string(command.line) + ": ";
    if (AsksAQuestion(command))
      return Error{line + "\"" + command.text + "\" asks a question; the script runs only commands that ask none"};
    const Outcome done = runner.Run(command);
    window.Sync();
    if (!done) return Error{line + done.ErrorMessage()};
  }
  return Outcome::Done();
}

}  // namespace kestrova::app
