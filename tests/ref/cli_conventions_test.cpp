// The kestrova tool's conventions, run as a process: exit status, standard
// output and error, the files written and those left alone, one row a case.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemoSna = KESTROVA_DEMO_DIR "/kestrova-demo.sna";
constexpr const char* kOld = "old";

struct Case {
  const char* name;
  std::vector<std::string> arguments;  // "DEMO" stands for the demo snapshot
  int status;
  std::vector<std::string> outHas;         // each must be in standard output
  std::vector<std::string> errHas;         // each must be in standard error ("" : error must be empty)
  std::vector<std::string> written;        // files that must exist afterwards
  std::vector<std::string> notWritten;     // files that must not exist, or still hold "old"
  std::vector<std::string> existing = {};  // files holding "old" before the run
  std::string redirect = "";
  std::vector<std::string> errHasNot = {};
};

const Case kCases[] = {
    // Help and version.
    {"help", {"--help"}, 0, {"usage: kestrova COMMAND", "edit", "check"}, {""}, {}, {}},
    {"short help", {"-h"}, 0, {"usage: kestrova COMMAND"}, {""}, {}, {}},
    {"version", {"--version"}, 0, {"kestrova ", "\nLicense GPL-3.0-or-later: "}, {""}, {}, {}},
    {"command help",
     {"render", "--help"},
     0,
     {"usage: kestrova render FILE", "--no-banner", "--scale K"},
     {""},
     {},
     {}},
    {"edit help", {"edit", "-h"}, 0, {"usage: kestrova edit IN", "--dry-run"}, {""}, {}, {}},
    // Usage errors name the wrong word and show that command's usage only.
    {"no command", {}, 2, {}, {"kestrova: a command is missing", "usage: kestrova COMMAND"}, {}, {}},
    {"unknown command", {"frob"}, 2, {}, {"kestrova: 'frob' is not a command"}, {}, {}},
    {"unknown option",
     {"info", "DEMO", "--frob"},
     2,
     {},
     {"kestrova info: Unknown option 'frob'", "usage: kestrova info FILE"},
     {},
     {},
     {},
     "",
     {"kestrova render"}},
    {"not a number",
     {"render", "DEMO", "--level", "abc", "-o", "a.png"},
     2,
     {},
     {"kestrova render: --level: 'abc' is not a whole number from 1 to 255", "usage: kestrova render"},
     {},
     {"a.png"}},
    {"value missing", {"render", "DEMO", "--level"}, 2, {}, {"Missing value after '--level'"}, {}, {}},
    {"value twice",
     {"render", "DEMO", "--level", "1", "--level=2", "-o", "a.png"},
     2,
     {},
     {"--level is given more than once"},
     {},
     {"a.png"}},
    {"a word too many", {"info", "DEMO", "extra"}, 2, {}, {"kestrova info: 'extra' is one word too many"}, {}, {}},
    {"file missing", {"list"}, 2, {}, {"kestrova list: FILE is missing"}, {}, {}},
    {"second file missing", {"diff", "DEMO"}, 2, {}, {"kestrova diff: a second file is missing"}, {}, {}},
    {"nothing to write", {"render", "DEMO"}, 2, {}, {"kestrova render: nothing to write"}, {}, {}},
    {"no output", {"asm", "DEMO"}, 2, {}, {"kestrova asm: the output is missing"}, {}, {}},
    {"no edit", {"edit", "DEMO", "-o", "e.sna"}, 2, {}, {"no edit: give -e COMMAND or --script FILE"}, {}, {"e.sna"}},
    {"scroll beyond the level",
     {"render", "DEMO", "--scroll", "99999", "-o", "a.png"},
     2,
     {},
     {"--scroll 99999: level 1 is 768 rows high"},
     {},
     {"a.png"}},
    {"no such level", {"list", "DEMO", "--level", "10"}, 2, {}, {"--level 10: ", " has 9 levels"}, {}, {}},
    {"unknown extension",
     {"asm", "DEMO", "-o", "demo.txt"},
     2,
     {},
     {"demo.txt: the name must end in .asm or .ASM"},
     {},
     {"demo.txt", "demo.asm"}},
    {"snapshot extension",
     {"save", "DEMO", "level.Sna"},
     2,
     {},
     {"the name must end in .sna, .SNA, .szx, .SZX, .z80 or .Z80"},
     {},
     {"level.Sna", "level.sna"}},
    {"output twice",
     {"save", "DEMO", "a.sna", "-o", "b.sna"},
     2,
     {},
     {"'a.sna': the output is already given by -o"},
     {},
     {"a.sna", "b.sna"}},
    {"snapshot to standard output", {"demo", "-o", "-"}, 2, {}, {"-o -: a snapshot goes to a file"}, {}, {"-"}},
    // Options written as --opt=value, and -- before a name that starts with '-'.
    {"opt=value", {"render", "DEMO", "--level=2", "--scale=1", "--output=a.png"}, 0, {}, {""}, {"a.png"}, {}},
    {"double dash", {"info", "--", "-demo.sna"}, 0, {"format: sna"}, {""}, {}, {}},
    // The exact name given, and standard output.
    {"exact name", {"save", "DEMO", "out.v2.szx"}, 0, {}, {""}, {"out.v2.szx"}, {"out.szx"}},
    {"exact name -o", {"tap", "DEMO", "-o", "my.level.tap"}, 0, {}, {""}, {"my.level.tap"}, {"my.tap"}},
    {"whole name kept", {"save", "DEMO", "keep.v2.sna"}, 0, {}, {""}, {"keep.v2.sna"}, {"keep.sna"}, {"keep.sna"}},
    {"no extension",
     {"save", "DEMO", "final"},
     2,
     {},
     {"final: the name must end in .sna, .SNA, .szx, .SZX, .z80 or .Z80"},
     {},
     {"final", "final.sna"}},
    {"other extension",
     {"save", "DEMO", "-o", "mod.txt"},
     2,
     {},
     {"mod.txt: the name must end in .sna, .SNA, .szx, .SZX, .z80 or .Z80"},
     {},
     {"mod.txt", "mod.sna"}},
    // The input is never written: the output goes where it is named.
    {"save beside the input", {"save", "--", "-demo.sna", "copy.szx"}, 0, {}, {""}, {"copy.szx"}, {}},
    {"edit beside the input", {"edit", "-o", "e.sna", "-e", "lives 5", "--", "-demo.sna"}, 0, {}, {""}, {"e.sna"}, {}},
    {"asm to standard output",
     {"asm", "DEMO", "-o", "-"},
     0,
     {" ;Kestrova Levels Disassembly"},
     {""},
     {},
     {"-", "-.asm"}},
    {"picture to standard output", {"render", "DEMO", "--png", "-"}, 0, {"\x89PNG"}, {""}, {}, {"-", "-.png"}},
    // An existing output is replaced only with --force, for every command.
    {"render keeps",
     {"render", "DEMO", "-o", "a.png"},
     1,
     {},
     {"kestrova render: a.png: already exists; --force replaces it"},
     {},
     {"a.png"},
     {"a.png"}},
    {"demo keeps", {"demo", "-o", "d.sna"}, 1, {}, {"kestrova demo: d.sna: already exists"}, {}, {"d.sna"}, {"d.sna"}},
    {"save keeps",
     {"save", "DEMO", "-o", "s.szx"},
     1,
     {},
     {"kestrova save: s.szx: already exists"},
     {},
     {"s.szx"},
     {"s.szx"}},
    {"asm keeps",
     {"asm", "DEMO", "-o", "a.asm"},
     1,
     {},
     {"kestrova asm: a.asm: already exists"},
     {},
     {"a.asm"},
     {"a.asm"}},
    {"tap keeps",
     {"tap", "DEMO", "-o", "t.tap"},
     1,
     {},
     {"kestrova tap: t.tap: already exists"},
     {},
     {"t.tap"},
     {"t.tap"}},
    {"edit keeps",
     {"edit", "DEMO", "-o", "e.sna", "-e", "lives 5"},
     1,
     {},
     {"kestrova edit: e.sna: already exists"},
     {},
     {"e.sna"},
     {"e.sna"}},
    {"render forced", {"render", "DEMO", "-o", "a.png", "--force"}, 0, {}, {""}, {"a.png"}, {}, {"a.png"}},
    {"demo forced", {"demo", "-o", "d.sna", "--force"}, 0, {}, {""}, {"d.sna"}, {}, {"d.sna"}},
    {"edit forced", {"edit", "DEMO", "-o", "e.sna", "-e", "lives 5", "--force"}, 0, {}, {""}, {"e.sna"}, {}, {"e.sna"}},
    // Failures: "kestrova COMMAND: FILE: reason" and status 1.
    {"missing input", {"info", "none.sna"}, 1, {}, {"kestrova info: none.sna: Could not read the snapshot"}, {}, {}},
    {"not a snapshot name", {"list", "demo.txt"}, 1, {}, {"kestrova list: demo.txt: not read"}, {}, {}},
    {"unwritable folder",
     {"tap", "DEMO", "-o", "no/such/folder/t.tap"},
     1,
     {},
     {"kestrova tap: no/such/folder/t.tap: Could not write"},
     {},
     {}},
    {"standard output full",
     {"info", "DEMO"},
     1,
     {},
     {"kestrova info: standard output: could not write"},
     {},
     {},
     {},
     ">/dev/full"},
    {"list full",
     {"list", "DEMO", "--json"},
     1,
     {},
     {"kestrova list: standard output: could not write"},
     {},
     {},
     {},
     ">/dev/full"},
    {"listing to a full standard output",
     {"asm", "DEMO", "-o", "-"},
     1,
     {},
     {"kestrova asm: standard output: Could not write \"standard output\": No space left on device"},
     {},
     {},
     {},
     ">/dev/full",
     {"could not write:"}},  // one line: the end of the program does not say it again
    // diff, check and edit.
    {"same game", {"diff", "--", "DEMO", "-demo.sna"}, 0, {"the same game"}, {""}, {}, {}},
    {"check the demo", {"check", "DEMO"}, 0, {"no problems; 284 bytes free"}, {""}, {}, {}},
    {"dry run",
     {"edit", "DEMO", "--dry-run", "-e", "lives 5", "-e", "delay 9"},
     0,
     {"lives: 3 -> 5", "enemy delay: "},
     {""},
     {},
     {}},
    {"dry run writes nothing",
     {"edit", "DEMO", "--dry-run", "-o", "e.sna", "-e", "lives 5"},
     2,
     {},
     {"--dry-run writes nothing"},
     {},
     {"e.sna"}},
    {"refused edit",
     {"edit", "DEMO", "-o", "e.sna", "-e", "lives 5", "-e", "delete $9309"},
     1,
     {},
     {"kestrova edit: -e:2: 'delete $9309' refused: $9309 is an operand byte, not a record; nothing was written"},
     {},
     {"e.sna"}},
    {"refused wipe",
     {"edit", "DEMO", "-o", "e.sna", "-e", "wipe 9 all-after"},
     1,
     {},
     {"level 9 is the last"},
     {},
     {"e.sna"}},
    {"edit not understood",
     {"edit", "DEMO", "-o", "e.sna", "-e", "lives 9"},
     2,
     {},
     {"kestrova edit: -e 'lives 9': lives '9' is not a whole number from 1 to 8"},
     {},
     {"e.sna"}},
    // A name that is not UTF-8 is refused before anything is read or written,
    // in one line, with the bytes escaped; the file of that very name exists.
    {"input name not UTF-8",
     {"info", "o\xFFx.sna"},
     1,
     {},
     {"kestrova info: o\\xFFx.sna: the name is not valid UTF-8; rename the file\n"},
     {},
     {},
     {"o\xFFx.sna"},
     "",
     {"usage", "\xFF", "\n\n"}},
    {"output name not UTF-8",
     {"save", "DEMO", "o\xFFx.sna", "--force"},
     1,
     {},
     {"kestrova save: o\\xFFx.sna: the name is not valid UTF-8; rename the file\n"},
     {},
     {"o\xFFx.sna", "o\xEF\xBF\xBDx.sna"},
     {"o\xFFx.sna"},
     "",
     {"usage", "\xFF", "\n\n"}},
    {"output= value not UTF-8",
     {"asm", "DEMO", "--output=\xC3(.asm"},
     1,
     {},
     {"kestrova asm: \\xC3(.asm: the name is not valid UTF-8"},
     {},
     {"\xC3(.asm", "\xEF\xBF\xBD(.asm"},
     {},
     "",
     {"usage", "\xC3("}},
    {"edit text not UTF-8",
     {"edit", "DEMO", "-o", "e.sna", "-e", "name 1 \xE9t\xE9"},
     1,
     {},
     {"kestrova edit: -e 'name 1 \\xE9t\\xE9': the text is not valid UTF-8"},
     {},
     {"e.sna"},
     {},
     "",
     {"usage"}},
    {"script line",
     {"edit", "DEMO", "-o", "e.sna", "--script", "-"},
     2,
     {},
     {"kestrova edit: standard input: line 3: 'frob' is not an edit command"},
     {},
     {"e.sna"},
     {},
     "<bad-script.txt"},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class CliConventions : public ::testing::TestWithParam<Case> {};

TEST_P(CliConventions, StatusOutputAndFiles) {
  const Case& c = GetParam();
  TemporaryFolder folder;
  const fs::path root = folder / "";
  fs::copy_file(kDemoSna, root / "-demo.sna");
  WriteWholeFile(root / "bad-script.txt", {'l', 'i', 'v', 'e', 's', ' ', '4', '\n', '\n', 'f', 'r', 'o', 'b', '\n'});
  for (const std::string& name : c.existing) WriteWholeFile(root / name, {'o', 'l', 'd'});
  std::vector<std::string> arguments;
  for (const std::string& argument : c.arguments) arguments.push_back(argument == "DEMO" ? kDemoSna : argument);

  const CliOutcome run = RunKestrova(root, arguments, c.redirect);
  EXPECT_EQ(run.status, c.status) << run.err;
  for (const std::string& text : c.outHas) EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
  for (const std::string& text : c.errHas) {
    if (text.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_NE(run.err.find(text), std::string::npos) << text << "\n" << run.err;
    }
  }
  for (const std::string& text : c.errHasNot)
    EXPECT_EQ(run.err.find(text), std::string::npos) << text << "\n" << run.err;
  if (c.status != 0 && c.redirect.empty()) {
    EXPECT_EQ(run.out, "") << "a failure prints nothing on standard output";
  }
  for (const std::string& name : c.written) {
    EXPECT_TRUE(fs::exists(root / name)) << name;
    EXPECT_NE(ReadWholeFile(root / name), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << name;
  }
  EXPECT_EQ(ReadWholeFile(root / "-demo.sna"), ReadWholeFile(kDemoSna)) << "the input was written";
  for (const std::string& name : c.notWritten) {
    const bool existed = std::find(c.existing.begin(), c.existing.end(), name) != c.existing.end();
    if (existed) {
      EXPECT_EQ(ReadWholeFile(root / name), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << name;
    } else {
      EXPECT_FALSE(fs::exists(root / name)) << name;
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, CliConventions, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace kestrova::testing
