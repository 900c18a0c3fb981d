#include "cli/diff_output.h"

#include <QJsonArray>

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

QJsonObject DiffJson(const GameDiff& diff, const std::string& a, const std::string& b) {
  QJsonArray settings;
  for (const SettingChange& setting : diff.settings)
    settings.append(QJsonObject{{"name", Q(setting.name)}, {"before", setting.before}, {"after", setting.after}});
  QJsonArray records;
  for (const RecordChange& change : diff.records) {
    QJsonObject entry{{"kind", KindName(change.kind)},
                      {"level", change.level},
                      {"row", change.row},
                      {"address", static_cast<qint64>(change.address)}};
    entry["before"] = change.kind == RecordChange::Kind::Inserted ? QJsonValue() : QJsonValue(Q(change.before));
    entry["after"] = change.kind == RecordChange::Kind::Deleted ? QJsonValue() : QJsonValue(Q(change.after));
    records.append(entry);
  }
  QJsonArray colours;
  for (const ColourChange& colour : diff.colours)
    colours.append(QJsonObject{{"address", static_cast<qint64>(colour.address)},
                               {"objects", Q(colour.objects)},
                               {"before", colour.before},
                               {"after", colour.after}});
  QJsonArray banks;
  for (const BankChange& bank : diff.banks)
    banks.append(QJsonObject{{"bank", bank.bank}, {"inA", bank.inA}, {"inB", bank.inB}, {"bytes", bank.bytes}});
  return QJsonObject{
      {"schema", kDiffSchema},
      {"a", Q(a)},
      {"b", Q(b)},
      {"sameGame", diff.SameGame()},
      {"settings", settings},
      {"levels", QJsonObject{{"before", diff.levelsBefore}, {"after", diff.levelsAfter}}},
      {"records", records},
      {"colours", colours},
      {"bytesFree", QJsonObject{{"before", diff.bytesFreeBefore}, {"after", diff.bytesFreeAfter}}},
      {"checkTable", QJsonObject{{"differs", diff.checkTableDiffers},
                                 {"staleBefore", diff.checkTableStaleBefore},
                                 {"staleAfter", diff.checkTableStaleAfter}}},
      {"banks", banks},
  };
}

}  // namespace kestrova::cli
