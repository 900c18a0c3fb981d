// kestrova info FILE [--json]: what the editor finds in a snapshot.
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "level/level_summary.h"

namespace kestrova::cli {

namespace {

QJsonObject InfoJson(const SnapshotSummary& summary) {
  QJsonArray levels;
  for (const LevelSummary& level : summary.levels) {
    levels.append(QJsonObject{{"number", level.number},
                              {"start", static_cast<qint64>(level.start)},
                              {"end", static_cast<qint64>(level.end)},
                              {"height", level.height},
                              {"records", level.records},
                              {"chooserText", Q(level.chooserText)}});
  }
  const SettingsSummary& s = summary.settings;
  const QJsonObject settings{{"fortressByte", s.fortressByte},    {"fortressLabel", Q(s.fortressLabel)},
                             {"fortressHint", Q(s.fortressHint)}, {"startColumn", s.startColumn},
                             {"pixelsDown", s.pixelsDown},        {"lives", s.lives},
                             {"enemyDelay", s.enemyDelay}};
  return QJsonObject{{"schema", kInfoSchema},
                     {"format", Q(summary.format)},
                     {"machine", Q(summary.machine)},
                     {"snapshotSize", static_cast<qint64>(summary.snapshotSize)},
                     {"bytesFree", summary.bytesFree},
                     {"levels", levels},
                     {"settings", settings}};
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
