#include "cli/diff_output.h"

#include "cli/json_output.h"
#include "cli/output.h"

namespace kestrova::cli {

namespace {

const char* KindName(RecordChange::Kind kind) {
  switch (kind) {
    case RecordChange::Kind::Inserted:
      return "inserted";
    case RecordChange::Kind::Deleted:
      return "deleted";
    case RecordChange::Kind::Changed:
      return "changed";
  }
  return "";
}

std::string BankText(const BankChange& change) {
  const std::string name = "RAM bank " + std::to_string(change.bank);
  if (!change.inA) return name + ": only in the second snapshot";
  if (!change.inB) return name + ": only in the first snapshot";
  return name + " differs (" + std::to_string(change.bytes) + (change.bytes == 1 ? " byte)" : " bytes)");
}

}  // namespace

std::string DiffText(const GameDiff& diff) {
  std::string text;
  for (const SettingChange& setting : diff.settings)
    text += setting.name + ": " + std::to_string(setting.before) + " -> " + std::to_string(setting.after) + "\n";
  if (diff.levelsBefore != diff.levelsAfter)
    text += "levels: " + std::to_string(diff.levelsBefore) + " -> " + std::to_string(diff.levelsAfter) + "\n";
  for (const RecordChange& change : diff.records) {
    text += "level " + std::to_string(change.level) + ", row " + std::to_string(change.row) + " (" +
            AddressText(change.address) + "): " + KindName(change.kind) + ": ";
    switch (change.kind) {
      case RecordChange::Kind::Inserted:
        text += change.after;
        break;
      case RecordChange::Kind::Deleted:
        text += change.before;
        break;
      case RecordChange::Kind::Changed:
        text += change.before + " -> " + change.after;
        break;
    }
    text += "\n";
  }
  for (const ColourChange& colour : diff.colours)
    text += "colour byte " + AddressText(colour.address) + " (" + colour.objects + "): $" +
            Hex(static_cast<std::uint32_t>(colour.before), 2) + " -> $" +
            Hex(static_cast<std::uint32_t>(colour.after), 2) + "\n";
  if (diff.bytesFreeBefore != diff.bytesFreeAfter)
    text += "free bytes: " + std::to_string(diff.bytesFreeBefore) + " -> " + std::to_string(diff.bytesFreeAfter) + "\n";
  if (diff.checkTableDiffers)
    text += std::string("check table: differs (") + (diff.checkTableStaleBefore ? "stale" : "up to date") + " -> " +
            (diff.checkTableStaleAfter ? "stale" : "up to date") + ")\n";
  for (const BankChange& bank : diff.banks) text += BankText(bank) + "\n";
  if (text.empty()) text = "the same game\n";
  return text;
}

Json DiffJson(const GameDiff& diff, const std::string& a, const std::string& b) {
  std::vector<Json> settings;
  for (const SettingChange& setting : diff.settings)
    settings.push_back(Json::Object({{"name", Json::Text(setting.name)},
                                     {"before", Json::Number(setting.before)},
                                     {"after", Json::Number(setting.after)}}));
  std::vector<Json> records;
  for (const RecordChange& change : diff.records) {
    records.push_back(Json::Object(
        {{"kind", Json::Text(KindName(change.kind))},
         {"level", Json::Number(change.level)},
         {"row", Json::Number(change.row)},
         {"address", Json::Number(change.address)},
         {"before", change.kind == RecordChange::Kind::Inserted ? Json::Null() : Json::Text(change.before)},
         {"after", change.kind == RecordChange::Kind::Deleted ? Json::Null() : Json::Text(change.after)}}));
  }
  std::vector<Json> colours;
  for (const ColourChange& colour : diff.colours)
    colours.push_back(Json::Object({{"address", Json::Number(colour.address)},
                                    {"objects", Json::Text(colour.objects)},
                                    {"before", Json::Number(colour.before)},
                                    {"after", Json::Number(colour.after)}}));
  std::vector<Json> banks;
  for (const BankChange& bank : diff.banks)
    banks.push_back(Json::Object({{"bank", Json::Number(bank.bank)},
                                  {"inA", Json::Bool(bank.inA)},
                                  {"inB", Json::Bool(bank.inB)},
                                  {"bytes", Json::Number(bank.bytes)}}));
  return Json::Object({
      {"schema", Json::Text(kDiffSchema)},
      {"a", Json::Text(a)},
      {"b", Json::Text(b)},
      {"sameGame", Json::Bool(diff.SameGame())},
      {"settings", Json::Array(settings)},
      {"levels",
       Json::Object({{"before", Json::Number(diff.levelsBefore)}, {"after", Json::Number(diff.levelsAfter)}})},
      {"records", Json::Array(records)},
      {"colours", Json::Array(colours)},
      {"bytesFree",
       Json::Object({{"before", Json::Number(diff.bytesFreeBefore)}, {"after", Json::Number(diff.bytesFreeAfter)}})},
      {"checkTable", Json::Object({{"differs", Json::Bool(diff.checkTableDiffers)},
                                   {"staleBefore", Json::Bool(diff.checkTableStaleBefore)},
                                   {"staleAfter", Json::Bool(diff.checkTableStaleAfter)}})},
      {"banks", Json::Array(banks)},
  });
}

}  // namespace kestrova::cli
