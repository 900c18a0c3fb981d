// kestrova edit IN -o OUT [--force] (-e COMMAND)... | --script FILE [--dry-run]:
// edits through the editor's own handlers, as the window's menus, palette
// and prompts run them, then "Save Snapshot As" to OUT.
#include <unistd.h>

#include <cstdio>

#include "cli/commands.h"
#include "cli/diff_output.h"
#include "cli/edit_runner.h"
#include "cli/session.h"
#include "qtio/qt_files.h"

namespace kestrova::cli {

namespace {

// The script's text, from its file or standard input, bounded alike;
// nothing (reported) when it cannot be read.
std::optional<std::string> ReadScript(const std::string& command, const std::string& path) {
  const bool standardInput = path == kStandardStream;
  QtFiles files;
  const Result<std::vector<std::uint8_t>> bytes = standardInput ? ReadStream(STDIN_FILENO) : files.Read(path);
  if (!bytes) {
    PrintError(command, standardInput ? "standard input" : path, "could not read: " + bytes.ErrorMessage());
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace

int RunEdit(const ParsedCommand& line) {
  const bool dryRun = line.Has("dry-run");
  const std::string output = line.Value("output");
  if (line.Has("command") == line.Has("script"))
    return UsageFailure(line.command, line.Has("script") ? "-e and --script do not go together"
                                                         : "no edit: give -e COMMAND or --script FILE");
  if (dryRun && line.Has("output")) return UsageFailure(line.command, "--dry-run writes nothing: leave out -o");
  if (!dryRun) {
    if (const auto refusal = SnapshotOutputRefusal(output)) return UsageFailure(line.command, *refusal);
  }

  // The commands, each with the name of where it came from for its errors.
  std::string source;
  std::vector<EditCommand> commands;
  if (line.Has("script")) {
    source = line.Value("script") == kStandardStream ? "standard input" : line.Value("script");
    const std::optional<std::string> text = ReadScript(line.command, line.Value("script"));
    if (!text) return kFailed;
    Result<std::vector<EditCommand>> parsed = ParseEditScript(*text);
    if (!parsed) {
      PrintError(line.command, source, parsed.ErrorMessage());
      return kUsage;
    }
    commands = std::move(*parsed);
  } else {
    source = "-e";
    const auto found = line.values.find("command");
    int number = 0;
    for (const std::string& text : found->second) {
      Result<EditCommand> command = ParseEditCommand(text, ++number);
      if (!command) return UsageFailure(line.command, "-e '" + text + "': " + command.ErrorMessage());
      commands.push_back(std::move(*command));
    }
  }

  Session session(line.command, line.Has("force"));
  const std::string& input = line.words[0];
  if (!session.Load(input)) return kFailed;
  const Editor& editor = session.GetEditor();
  const SnapshotImage before = editor.Image();
  const LevelTable levelsBefore = editor.Levels();
  const std::int32_t freeBefore = editor.Place().bytesFree;

  EditRunner runner(session.GetEditor(), session.GetUi());
  for (const EditCommand& command : commands) {
    if (const Outcome done = runner.Run(command); !done) {
      PrintError(line.command, source + ":" + std::to_string(command.line),
                 "'" + command.text + "' refused: " + done.ErrorMessage() + "; nothing was written");
      return kFailed;
    }
  }
  if (dryRun) {
    const GameDiff diff =
        DiffGames({before, levelsBefore, freeBefore}, {editor.Image(), editor.Levels(), editor.Place().bytesFree});
    PrintText(DiffText(diff));
    return kDone;
  }
  // Save As: to the output, never back to the input.
  return session.Save(&Editor::SaveSnapshotAs, output, CheckExtension(output, kSnapshotExtensions).extension) ? kDone
                                                                                                              : kFailed;
}

}  // namespace kestrova::cli
