// kestrova check FILE [--json]: what would trouble the game or the person.
#include <cstdio>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "game/game_checks.h"

namespace kestrova::cli {

namespace {

std::string Where(const GameProblem& problem) {
  if (problem.level == 0) return {};
  return "level " + std::to_string(problem.level) + ", row " + std::to_string(problem.row) + " (" +
         AddressText(problem.address) + "): ";
}

}  // namespace

int RunCheck(const ParsedCommand& line) {
  Session session(line.command, false);
  const std::string& file = line.words[0];
  if (!session.Load(file)) return kFailed;
  const Editor& editor = session.GetEditor();
  const std::vector<GameProblem> problems = FindProblems(editor.Image(), editor.Levels());
  const std::int32_t bytesFree = editor.Place().bytesFree;
  if (line.Has("json")) {
    std::vector<Json> list;
    for (const GameProblem& problem : problems) {
      list.push_back(Json::Object({{"kind", Json::Text(problem.kind)},
                                   {"level", Json::Number(problem.level)},
                                   {"address", Json::Number(problem.address)},
                                   {"row", Json::Number(problem.row)},
                                   {"text", Json::Text(problem.text)}}));
    }
    PrintText(JsonLine(Json::Object({{"schema", Json::Text(kCheckSchema)},
                                     {"file", Json::Text(file)},
                                     {"ok", Json::Bool(problems.empty())},
                                     {"problems", Json::Array(list)},
                                     {"bytesFree", Json::Number(bytesFree)}})));
  } else {
    std::string text;
    for (const GameProblem& problem : problems) text += Where(problem) + problem.text + "\n";
    text +=
        (problems.empty() ? "no problems; "
                          : std::to_string(problems.size()) + " problem" + (problems.size() == 1 ? "" : "s") + "; ") +
        std::to_string(bytesFree) + " bytes free\n";
    PrintText(text);
  }
  return problems.empty() ? kDone : kFailed;
}

}  // namespace kestrova::cli
