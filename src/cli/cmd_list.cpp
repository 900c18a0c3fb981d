// kestrova list FILE [--level N] [--json]: every record of the levels.
#include <cstdio>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/output.h"
#include "cli/session.h"
#include "game/level_records.h"
#include "game/record_script.h"

namespace kestrova::cli {

namespace {

std::string LevelHeading(const ListedLevel& level) {
  return "Level " + std::to_string(level.number) + " " + AddressText(level.start) + "-" + AddressText(level.end + 1) +
         ": " + std::to_string(level.records.size()) + " records, " + std::to_string(level.height) + " rows high\n";
}

std::string RecordLine(const ListedRecord& record) {
  char head[48];
  std::snprintf(head, sizeof head, "  $%04X %5d  %02X %02X  ", record.address, record.row, record.code, record.operand);
  return head + std::string(record.group ? "| " : "") + record.description + "\n";
}

std::string GroupLine(const ListedRecord& record) {
  return "  " + AddressText(record.address) + "             " + GroupName(*record.group) + " (" +
         std::to_string(record.group->size / 2) + " records):\n";
}

// The records in front of each level's end record as edit commands; run
// by `kestrova edit --script`, they put the same records in front of that
// level's first record.
std::string ListScript(const std::vector<ListedLevel>& levels, const SnapshotImage& image) {
  std::string text;
  for (const ListedLevel& level : levels) text += ClipScript(LevelClip(image, level.start, level.end), level.number);
  return text;
}

std::string ListText(const std::vector<ListedLevel>& levels) {
  std::string text;
  for (const ListedLevel& level : levels) {
    text += LevelHeading(level);
    for (const ListedRecord& record : level.records) {
      if (record.group && record.groupStart == record.address) text += GroupLine(record);
      text += RecordLine(record);
    }
    text += "\n";
  }
  return text;
}

Json ListJson(const std::vector<ListedLevel>& levels, const std::string& file) {
  std::vector<Json> levelArray;
  for (const ListedLevel& level : levels) {
    std::vector<Json> records;
    records.reserve(level.records.size());
    for (const ListedRecord& record : level.records) {
      const Json group = record.group ? Json::Object({{"name", Json::Text(GroupName(*record.group))},
                                                      {"start", Json::Number(record.groupStart)},
                                                      {"bytes", Json::Number(record.group->size)}})
                                      : Json::Null();
      records.push_back(Json::Object({{"address", Json::Number(record.address)},
                                      {"row", Json::Number(record.row)},
                                      {"code", Json::Number(record.code)},
                                      {"operand", Json::Number(record.operand)},
                                      {"description", Json::Text(record.description)},
                                      {"group", group}}));
    }
    levelArray.push_back(Json::Object({{"level", Json::Number(level.number)},
                                       {"start", Json::Number(level.start)},
                                       {"end", Json::Number(level.end)},
                                       {"height", Json::Number(level.height)},
                                       {"records", Json::Array(records)}}));
  }
  return Json::Object(
      {{"schema", Json::Text(kListSchema)}, {"file", Json::Text(file)}, {"levels", Json::Array(levelArray)}});
}

}  // namespace

int RunList(const ParsedCommand& line) {
  if (line.Has("json") && line.Has("script"))
    return UsageFailure(line.command, "--json and --script do not go together");
  Session session(line.command, false);
  const std::string& file = line.words[0];
  if (!session.Load(file)) return kFailed;
  const Editor& editor = session.GetEditor();
  std::vector<ListedLevel> levels = ListLevels(editor.Image(), editor.Levels());
  if (line.Has("level")) {
    const int wanted = line.Number("level", 1);
    if (wanted > static_cast<int>(levels.size()))
      return UsageFailure(line.command, "--level " + std::to_string(wanted) + ": " + file + " has " +
                                            std::to_string(levels.size()) + " levels");
    levels = {levels[static_cast<std::size_t>(wanted - 1)]};
  }
  if (line.Has("script")) {
    PrintText(ListScript(levels, editor.Image()));
    return kDone;
  }
  PrintText(line.Has("json") ? JsonLine(ListJson(levels, file)) : ListText(levels));
  return kDone;
}

}  // namespace kestrova::cli
