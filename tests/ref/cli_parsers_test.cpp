// The command line and the edit scripts as read, before anything runs: the
// entry points a fuzzer drives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/edit_script.h"

namespace kestrova::cli {
namespace {

using Kind = ParsedCommand::Kind;

TEST(ParseCommandLine, ReadsWordsOptionsAndTheirForms) {
  struct Case {
    std::vector<std::string> arguments;
    Kind kind;
    std::vector<std::string> words;
    std::string option;  // with its expected value
    std::string value;
    std::string text;  // part of the help or the usage error
  };
  const Case cases[] = {
      {{"render", "a.sna", "--level", "3", "-o", "x.png"}, Kind::Run, {"a.sna"}, "level", "3", ""},
      {{"render", "--level=3", "a.sna", "--output=x.png"}, Kind::Run, {"a.sna"}, "output", "x.png", ""},
      {{"render", "a.sna", "-o", "-"}, Kind::Run, {"a.sna"}, "output", "-", ""},
      {{"info", "--", "-a.sna"}, Kind::Run, {"-a.sna"}, "", "", ""},
      {{"save", "a.sna", "b.szx", "--force"}, Kind::Run, {"a.sna", "b.szx"}, "force", "", ""},
      {{"edit", "a.sna", "-e", "lives 3", "-e", "delay 4"}, Kind::Run, {"a.sna"}, "command", "delay 4", ""},
      {{"--help"}, Kind::Help, {}, "", "", "usage: kestrova COMMAND"},
      {{"list", "--help"}, Kind::Help, {}, "", "", "usage: kestrova list FILE"},
      {{"--version"}, Kind::Version, {}, "", "", ""},
      {{}, Kind::UsageError, {}, "", "", "a command is missing"},
      {{"--frob"}, Kind::UsageError, {}, "", "", "'--frob' is not a command"},
      {{"render", "a.sna", "--scale", "5", "-o", "x.png"}, Kind::UsageError, {}, "", "", "--scale: '5'"},
      {{"render", "a.sna", "--scroll", "-1"}, Kind::UsageError, {}, "", "", "--scroll: '-1'"},
      {{"render", "a.sna", "--level", "2x"}, Kind::UsageError, {}, "", "", "--level: '2x' is not a whole number"},
      {{"render", "a.sna", "--level", "1", "--level", "2"}, Kind::UsageError, {}, "", "", "more than once"},
      {{"asm", "a.sna", "-o"}, Kind::UsageError, {}, "", "", "Missing value after '-o'"},
      {{"diff", "a.sna", "b.sna", "c.sna"}, Kind::UsageError, {}, "", "", "'c.sna' is one word too many"},
      {{"demo", "--json", "-o", "d.sna"}, Kind::UsageError, {}, "", "", "Unknown option 'json'"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& argument : c.arguments) line += argument + " ";
    SCOPED_TRACE(line);
    const ParsedCommand parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(parsed.kind, c.kind) << parsed.text;
    if (c.kind == Kind::Run) {
      EXPECT_EQ(parsed.words, c.words);
      if (!c.option.empty()) {
        EXPECT_TRUE(parsed.Has(c.option));
        EXPECT_EQ(parsed.Value(c.option), c.value);
      }
    }
    EXPECT_NE(parsed.text.find(c.text), std::string::npos) << parsed.text;
  }
}

TEST(ParseEditScript, ReadsEachFormAndSaysWhichLineIsWrong) {
  const Result<std::vector<EditCommand>> script = ParseEditScript(
      "# a mod\n"
      "lives 4\n"
      "\n"
      "spawn 12 40   # column, height\n"
      "insert Cave Main With Space at $9308 column 4\n"
      "insert land space at 0x9308 value 9\n"
      "insert Double Cliff/Left Edge with Jumping Soldiers at 37640\n"
      "delete $930A\n"
      "change $930C 17\n"
      "ink $930E red column 3\n"
      "paper $9310 Bright\n"
      "wipe 2 all-after\n");
  ASSERT_TRUE(script) << script.ErrorMessage();
  ASSERT_EQ(script->size(), 10u);
  const std::vector<EditCommand>& c = *script;
  EXPECT_EQ(c[0].kind, EditCommand::Kind::Lives);
  EXPECT_EQ(c[0].line, 2);
  EXPECT_EQ(c[1].numbers, (std::vector<int>{12, 40}));
  EXPECT_EQ(c[2].tag, 30);
  EXPECT_EQ(c[2].column, 4);
  EXPECT_EQ(c[3].tag, 0);
  EXPECT_EQ(c[3].value, 9);
  EXPECT_EQ(c[4].tag, 42);
  EXPECT_EQ(c[4].address, 0x9308u);
  EXPECT_EQ(c[5].kind, EditCommand::Kind::Delete);
  EXPECT_EQ(c[6].numbers, (std::vector<int>{17}));
  EXPECT_EQ(c[7].colour, "Red");
  EXPECT_EQ(c[7].column, 3);
  EXPECT_EQ(c[8].kind, EditCommand::Kind::Paper);
  EXPECT_EQ(c[9].kind, EditCommand::Kind::WipeAllAfter);
  EXPECT_EQ(c[9].numbers, (std::vector<int>{2}));

  struct Wrong {
    std::string text;
    std::string error;
  };
  const Wrong wrongs[] = {
      {"lives 0", "lives '0' is not a whole number from 1 to 8"},
      {"spawn 30 1", "column '30' is not a whole number from 0 to 29"},
      {"delay 256", "delay '256'"},
      {"fortress 16", "fortress byte '16'"},
      {"insert Tree $9308", "insert needs NAME at ADDRESS"},
      {"insert Palm Tree at $9308", "'Palm Tree' is not in the Insert menu"},
      {"insert Left Edge with Jumping Soldiers at $9308", "names more than one object"},
      {"insert Land Space at $9308", "Land Space needs value V"},
      {"insert Tree at $9308 value 3", "Tree takes no value"},
      {"insert Tree at $9308 column 32", "column '32'"},
      {"insert Tree at $9308 row 3", "'row' is not understood here"},
      {"delete 9308h", "'9308h' is not an address"},
      {"delete $10000", "is not an address"},
      {"change $9308", "the form is: change ADDRESS VALUE"},
      {"ink $9308 Purple", "'Purple' is not a colour"},
      {"wipe 2 everything", "the form is: wipe LEVEL current|all-after"},
      {"jump 3", "'jump' is not an edit command"},
  };
  for (const Wrong& wrong : wrongs) {
    const Result<std::vector<EditCommand>> refused = ParseEditScript("lives 3\n" + wrong.text + "\n");
    ASSERT_FALSE(refused) << wrong.text;
    EXPECT_EQ(refused.ErrorMessage().rfind("line 2: ", 0), 0u) << refused.ErrorMessage();
    EXPECT_NE(refused.ErrorMessage().find(wrong.error), std::string::npos) << refused.ErrorMessage();
  }
}

}  // namespace
}  // namespace kestrova::cli
