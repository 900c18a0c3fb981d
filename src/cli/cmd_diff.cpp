// kestrova diff A B [--json]: what differs between two snapshots of the game.
#include "cli/commands.h"
#include "cli/diff_output.h"
#include "cli/json_output.h"
#include "cli/session.h"

namespace kestrova::cli {

int RunDiff(const ParsedCommand& line) {
  Session first(line.command, false), second(line.command, false);
  if (!first.Load(line.words[0]) || !second.Load(line.words[1])) return kFailed;
  const Editor& a = first.GetEditor();
  const Editor& b = second.GetEditor();
  const GameDiff diff =
      DiffGames({a.Image(), a.Levels(), a.Place().bytesFree}, {b.Image(), b.Levels(), b.Place().bytesFree});
  PrintText(line.Has("json") ? JsonLine(DiffJson(diff, line.words[0], line.words[1])) : DiffText(diff));
  return diff.SameGame() ? kDone : kFailed;
}

}  // namespace kestrova::cli
