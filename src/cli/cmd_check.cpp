// kestrova check FILE [--json]: what would trouble the game or the person.
#include <cstdio>

#include "cli/commands.h"
#include "cli/game_diff.h"
#include "cli/json_output.h"
#include "cli/level_records.h"
#include "cli/session.h"
#include "level/level_stream.h"

namespace kestrova::cli {

namespace {

struct Problem {
  std::string kind;
  int level = 0;  // 0: the whole game
  std::uint32_t address = 0;
  std::int32_t row = 0;
  std::string text;
};

// Codes that the game only draws right as part of a group: a tunnel (walls,
// bridge, road on the bridge), a log crossing (its water) or a fortress.
constexpr ObjectCode kGroupOnlyCodes[] = {
    ObjectCode::Wall,       ObjectCode::BridgeSection, ObjectCode::RoadOnBridge, ObjectCode::Tunnel,
    ObjectCode::LogCrossing, ObjectCode::Water,        ObjectCode::WaterStrip1,  ObjectCode::WaterStrip2,
    ObjectCode::FortressGates,
};

bool IsGroupOnly(std::uint8_t code) {
  for (const ObjectCode groupOnly : kGroupOnlyCodes) {
    if (static_cast<std::uint8_t>(groupOnly) == code) return true;
  }
  return false;
}

// A snapshot held at a length that is neither a 48K nor a whole 128K one:
// some of its RAM banks are cut short or missing (or it holds bytes no bank
// takes), and a save writes it back only as it is.
std::optional<std::string> IncompleteBanks(const SnapshotImage& image) {
  if (image.Size() == kSnapshotSize48K || image.Size() == kSnapshotSize128K) return std::nullopt;
  return "the snapshot holds " + std::to_string(image.Size()) + " bytes, not the " + std::to_string(kSnapshotSize48K) +
         " of a 48K or the " + std::to_string(kSnapshotSize128K) + " of a 128K snapshot: its RAM banks beyond 5, 2 and 0 are " +
         (image.Size() < kSnapshotSize128K ? "cut short or missing" : "followed by bytes no bank takes");
}

std::vector<Problem> FindProblems(const Editor& editor) {
  std::vector<Problem> problems;
  if (const std::optional<std::string> banks = IncompleteBanks(editor.Image()))
    problems.push_back({"incomplete-banks", 0, 0, 0, *banks});
  if (CheckTableIsStale(editor.Image()))
    problems.push_back({"stale-check-table", 0, 0xFA00, 0,
                        "the check table at $FA00 does not match the game's bytes: the game will find them changed "
                        "(save, asm and tap bring it up to date)"});
  for (const ListedLevel& level : ListLevels(editor.Image(), editor.Levels())) {
    if (level.height == 0)
      problems.push_back({"no-land-space", level.number, level.start, 0,
                          "level " + std::to_string(level.number) + " has no land space: nothing of it can be seen"});
    for (const ListedRecord& record : level.records) {
      if (!FindObjectCode(record.code)) {
        problems.push_back({"unknown-code", level.number, record.address, record.row,
                            "code $" + Hex(record.code, 2) + " is not one the game knows"});
      } else if (!record.group && IsGroupOnly(record.code) && record.address != level.end) {
        problems.push_back({"broken-group", level.number, record.address, record.row,
                            record.description + " outside a whole tunnel, log crossing or fortress"});
      }
    }
  }
  return problems;
}

std::string Where(const Problem& problem) {
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
  const std::vector<Problem> problems = FindProblems(editor);
  const std::int32_t bytesFree = editor.Place().bytesFree;
  if (line.Has("json")) {
    QJsonArray list;
    for (const Problem& problem : problems) {
      list.append(QJsonObject{{"kind", Q(problem.kind)},
                              {"level", problem.level},
                              {"address", static_cast<qint64>(problem.address)},
                              {"row", problem.row},
                              {"text", Q(problem.text)}});
    }
    PrintText(JsonLine(QJsonObject{{"schema", kCheckSchema}, {"file", Q(file)}, {"ok", problems.empty()},
                                   {"problems", list}, {"bytesFree", bytesFree}}));
  } else {
    std::string text;
    for (const Problem& problem : problems) text += Where(problem) + problem.text + "\n";
    text += (problems.empty() ? "no problems; " : std::to_string(problems.size()) + " problem" +
                                                    (problems.size() == 1 ? "" : "s") + "; ") +
            std::to_string(bytesFree) + " bytes free\n";
    PrintText(text);
  }
  return problems.empty() ? kDone : kFailed;
}

}  // namespace kestrova::cli
