// kestrova info FILE [--json]: what the editor finds in a snapshot.
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "level/level_summary.h"

namespace kestrova::cli {

namespace {

Json InfoJson(const SnapshotSummary& summary) {
  std::vector<Json> levels;
  for (const LevelSummary& level : summary.levels) {
    levels.push_back(Json::Object({{"number", Json::Number(level.number)},
                                   {"start", Json::Number(level.start)},
                                   {"end", Json::Number(level.end)},
                                   {"height", Json::Number(level.height)},
                                   {"records", Json::Number(level.records)},
                                   {"chooserText", Json::Text(level.chooserText)}}));
  }
  const SettingsSummary& s = summary.settings;
  const Json settings = Json::Object({{"fortressByte", Json::Number(s.fortressByte)},
                                      {"fortressLabel", Json::Text(s.fortressLabel)},
                                      {"fortressHint", Json::Text(s.fortressHint)},
                                      {"startColumn", Json::Number(s.startColumn)},
                                      {"pixelsDown", Json::Number(s.pixelsDown)},
                                      {"lives", Json::Number(s.lives)},
                                      {"enemyDelay", Json::Number(s.enemyDelay)}});
  return Json::Object({{"schema", Json::Text(kInfoSchema)},
                       {"format", Json::Text(summary.format)},
                       {"machine", Json::Text(summary.machine)},
                       {"snapshotSize", Json::Number(static_cast<std::int64_t>(summary.snapshotSize))},
                       {"bytesFree", Json::Number(summary.bytesFree)},
                       {"levels", Json::Array(levels)},
                       {"settings", settings}});
}

}  // namespace

int RunInfo(const ParsedCommand& line) {
  Session session("info", false);
  if (!session.Load(line.words[0])) return kFailed;
  const Editor& editor = session.GetEditor();
  const SnapshotSummary summary =
      SummariseSnapshot(editor.Image(), editor.Levels(), editor.Place().bytesFree, editor.LoadedFormat());
  PrintText(line.Has("json") ? JsonLine(InfoJson(summary)) : SummaryText(summary));
  return kDone;
}

}  // namespace kestrova::cli
