// The JSON that `kestrova info|list|diff|check --json` prints: its "schema"
// field and the shape it names. A change of fields without a new schema
// version (and a new description in the README) fails here.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

const std::string kDemoSna = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

// Every field as "path:type", array elements under "[]", so that two
// documents of one schema have the same shape whatever their values. A
// field that is null in one element and an object in another shows both.
void Shape(const QJsonValue& value, const std::string& path, std::set<std::string>& shape) {
  switch (value.type()) {
    case QJsonValue::Object: {
      shape.insert(path + ":object");
      const QJsonObject object = value.toObject();
      for (auto field = object.begin(); field != object.end(); ++field)
        Shape(field.value(), path + "." + field.key().toStdString(), shape);
      break;
    }
    case QJsonValue::Array:
      shape.insert(path + ":array");
      for (const QJsonValue& element : value.toArray()) Shape(element, path + "[]", shape);
      break;
    case QJsonValue::String:
      shape.insert(path + ":string");
      break;
    case QJsonValue::Double:
      shape.insert(path + ":number");
      break;
    case QJsonValue::Bool:
      shape.insert(path + ":bool");
      break;
    case QJsonValue::Null:
      shape.insert(path + ":null");
      break;
    default:
      shape.insert(path + ":?");
      break;
  }
}

std::set<std::string> ShapeOf(const std::string& text, std::string& schema) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  schema = document.object().value("schema").toString().toStdString();
  std::set<std::string> shape;
  Shape(document.object(), "", shape);
  return shape;
}

struct Schema {
  std::vector<std::string> arguments;  // EDITED stands for a copy of the demo changed by edit
  int status;
  std::string name;
  std::set<std::string> shape;
};

const Schema kSchemas[] = {
    {{"info", "DEMO", "--json"},
     0,
     "kestrova-info/1",
     {":object",
      ".schema:string",
      ".format:string",
      ".machine:string",
      ".snapshotSize:number",
      ".bytesFree:number",
      ".levels:array",
      ".levels[]:object",
      ".levels[].number:number",
      ".levels[].start:number",
      ".levels[].end:number",
      ".levels[].height:number",
      ".levels[].records:number",
      ".levels[].chooserText:string",
      ".settings:object",
      ".settings.fortressByte:number",
      ".settings.fortressLabel:string",
      ".settings.fortressHint:string",
      ".settings.startColumn:number",
      ".settings.pixelsDown:number",
      ".settings.lives:number",
      ".settings.enemyDelay:number"}},
    {{"list", "DEMO", "--json"},
     0,
     "kestrova-list/1",
     {":object",
      ".schema:string",
      ".file:string",
      ".levels:array",
      ".levels[]:object",
      ".levels[].level:number",
      ".levels[].start:number",
      ".levels[].end:number",
      ".levels[].height:number",
      ".levels[].records:array",
      ".levels[].records[]:object",
      ".levels[].records[].address:number",
      ".levels[].records[].row:number",
      ".levels[].records[].code:number",
      ".levels[].records[].operand:number",
      ".levels[].records[].description:string",
      ".levels[].records[].group:null",
      ".levels[].records[].group:object",
      ".levels[].records[].group.name:string",
      ".levels[].records[].group.start:number",
      ".levels[].records[].group.bytes:number"}},
    {{"diff", "OTHERBANK", "EDITED", "--json"},
     1,
     "kestrova-diff/2",
     {":object",
      ".schema:string",
      ".a:string",
      ".b:string",
      ".sameGame:bool",
      ".settings:array",
      ".settings[]:object",
      ".settings[].name:string",
      ".settings[].before:number",
      ".settings[].after:number",
      ".levels:object",
      ".levels.before:number",
      ".levels.after:number",
      ".records:array",
      ".records[]:object",
      ".records[].kind:string",
      ".records[].level:number",
      ".records[].row:number",
      ".records[].address:number",
      ".records[].before:string",
      ".records[].before:null",
      ".records[].after:string",
      ".records[].after:null",
      ".colours:array",
      ".colours[]:object",
      ".colours[].address:number",
      ".colours[].objects:string",
      ".colours[].before:number",
      ".colours[].after:number",
      ".bytesFree:object",
      ".bytesFree.before:number",
      ".bytesFree.after:number",
      ".checkTable:object",
      ".checkTable.differs:bool",
      ".checkTable.staleBefore:bool",
      ".checkTable.staleAfter:bool",
      ".banks:array",
      ".banks[]:object",
      ".banks[].bank:number",
      ".banks[].inA:bool",
      ".banks[].inB:bool",
      ".banks[].bytes:number"}},
    {{"check", "STALE", "--json"},
     1,
     "kestrova-check/1",
     {":object", ".schema:string", ".file:string", ".ok:bool", ".problems:array", ".problems[]:object",
      ".problems[].kind:string", ".problems[].level:number", ".problems[].address:number", ".problems[].row:number",
      ".problems[].text:string", ".bytesFree:number"}},
};

TEST(CliJsonSchema, EachOutputHasTheShapeItsSchemaVersionNames) {
  TemporaryFolder folder;
  const std::filesystem::path root = folder / "";
  // A copy with every kind of difference: a setting, records inserted,
  // changed and deleted, a colour byte.
  const CliOutcome edit =
      RunKestrova(root, {"edit", kDemoSna, "-o", "edited.sna", "-e", "lives 5", "-e", "insert Tree at $9308 column 3",
                         "-e", "change $9306 20", "-e", "delete $9302", "-e", "ink $9304 Red"});
  ASSERT_EQ(edit.status, 0) << edit.err;
  // The demo with a level byte changed behind the check table's back.
  std::vector<std::uint8_t> stale = ReadWholeFile(kDemoSna);
  stale[0x9303 - 0x4000 + 27] ^= 1;
  WriteWholeFile(root / "stale.sna", stale);
  // The demo with a byte of bank 0 changed that no other line names.
  std::vector<std::uint8_t> otherBank = ReadWholeFile(kDemoSna);
  otherBank[0xF000 - 0x4000 + 27] ^= 1;
  WriteWholeFile(root / "otherbank.sna", otherBank);

  for (const Schema& schema : kSchemas) {
    std::vector<std::string> arguments;
    for (const std::string& argument : schema.arguments) {
      arguments.push_back(argument == "DEMO"        ? kDemoSna
                          : argument == "EDITED"    ? "edited.sna"
                          : argument == "STALE"     ? "stale.sna"
                          : argument == "OTHERBANK" ? "otherbank.sna"
                                                    : argument);
    }
    const CliOutcome run = RunKestrova(root, arguments);
    SCOPED_TRACE(schema.name);
    EXPECT_EQ(run.status, schema.status) << run.err;
    std::string name;
    const std::set<std::string> shape = ShapeOf(run.out, name);
    EXPECT_EQ(name, schema.name);
    for (const std::string& field : shape) EXPECT_TRUE(schema.shape.count(field)) << "new or changed: " << field;
    for (const std::string& field : schema.shape) EXPECT_TRUE(shape.count(field)) << "gone: " << field;
  }
}

}  // namespace
}  // namespace kestrova::testing
