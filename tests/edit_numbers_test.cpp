#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/change_command.h"
#include "edit/prompt_numbers.h"
#include "level/game_settings.h"
#include "level/number_prompt.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

TEST(RangeText, PadsToTwoDigits) {
  EXPECT_EQ(RangeText(1, 30), " 01-30");
  EXPECT_EQ(RangeText(0, 30), " 00-30");
  EXPECT_EQ(RangeText(1, 255), " 01-255");
  EXPECT_EQ(RangeText(0, 0), " 00-00");
}

struct ReplyCase {
  const char* reply;
  std::optional<int> accepted;  // within 1..255
};

// The insertion prompt (Land Space, Attack Ferocity): limits 1..255.
TEST(InsertionPrompt, ReadsRepliesAsDescribed) {
  const ReplyCase cases[] = {
      {"0", std::nullopt},
      {"256", std::nullopt},
      {"1000", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {" 7 ", 7},
      {"7", 7},
      {"2.9", 2},
      {"5x", 5},
      {"-5", std::nullopt},
      {"-5x", 5},
      {"1e2", 100},
      {"20", 20},
      {"255", 255},
      {"1", 1},
      {"+9", 9},
      {"x", std::nullopt},
      {"2.9 ", 29},
      {"1.", 1},
      {"1e", 1},
      {"12x", 12},
      {"1ex", 1},
      {".5", std::nullopt},
      {"9.9", 9},
      {"  12", 12},
      {"2e1", 20},
      {"1E2", 100},
      {"3e1", 30},
      {"9.99", std::nullopt},
  };
  for (const ReplyCase& c : cases) {
    EXPECT_EQ(AcceptInsertionReply(c.reply, 1, 255), c.accepted) << '"' << c.reply << '"';
  }
}

TEST(InsertionPrompt, NumberReadingOfLongerReplies) {
  // Values of replies the length test refuses are still read by the rule.
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("  1.5e3"), 1500);
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("-2.5x"), 25);
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("1e2x"), 12);  // exponent digits count too
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("1e-1"), 0.1);
  EXPECT_DOUBLE_EQ(ReadInsertionNumber("12345678901234567890123x"), 12345678901234567890123.0);
  EXPECT_GT(ReadInsertionNumber("1e999999999"), 1e300);  // a huge exponent saturates
}

TEST(ChangePrompt, AcceptsDecimalsInRangeOfOneToThreeCharacters) {
  struct Case {
    const char* entry;
    int minimum, maximum;
    std::optional<int> accepted;
  };
  const Case cases[] = {
      {"7.9", 0, 30, 7},
      {"0", 1, 30, std::nullopt},
      {"", 0, 30, std::nullopt},
      {"  ", 0, 30, std::nullopt},
      {" 5 ", 0, 30, 5},
      {"30", 0, 30, 30},
      {"31", 0, 30, std::nullopt},
      {"255", 1, 255, 255},
      {"256", 1, 255, std::nullopt},
      {"1000", 1, 999, std::nullopt},
      {"5x", 0, 30, std::nullopt},
      {"-1", 0, 30, std::nullopt},
      {"1e1", 0, 30, 10},
      {".5", 0, 30, 0},
      {"0.9", 1, 30, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptChangeReply(c.entry, c.minimum, c.maximum), c.accepted) << '"' << c.entry << '"';
  }
}

TEST(ChangePrompt, TextsAndDefaults) {
  const ChangePrompt tree = MakeChangePrompt("Column", 1, 30, 0xE5);
  EXPECT_EQ(tree.title, "Alter Column");
  EXPECT_EQ(tree.prompt, "Enter New Column 01-30");
  EXPECT_EQ(tree.defaultText, "5");  // the column bits only
  const ChangePrompt marking = MakeChangePrompt("Column", 0, 30, 3);
  EXPECT_EQ(marking.prompt, "Enter New Column 00-30");
  const ChangePrompt land = MakeChangePrompt("Distance", 1, 255, 0xE5);
  EXPECT_EQ(land.title, "Alter Distance");
  EXPECT_EQ(land.prompt, "Enter New Distance 01-255");
  EXPECT_EQ(land.defaultText, "229");  // the whole operand
}

TEST(ChangePrompt, ColumnKeepsTheFlagBits) {
  EXPECT_EQ(ChangedOperand("Column", 0xE5, 7), 0xE7);
  EXPECT_EQ(ChangedOperand("Column", 0x83, 20), 0x94);
  EXPECT_EQ(ChangedOperand("Distance", 0xE5, 7), 7);
}

// Every number prompt shows a line under its field once a reply was refused,
// giving the range it takes; the first showing has none.
TEST(NumberPrompts, ARefusedReplyBringsThePromptBackWithItsRange) {
  struct Case {
    const char* what;
    std::function<int(Ui&)> ask;
    std::vector<std::optional<std::string>> replies;  // nullopt: Cancel
    int value;
    std::vector<std::string> refusals;  // the line of each showing
  };
  const std::string lives = "Enter a number from 1 to 8.";
  const std::string delay = "Enter a number from 1 to 255.";
  const std::string column = "Enter a number from 0 to 30.";
  const std::vector<Case> cases = {
      {"lives at once", [](Ui& ui) { return AskSettingsNumber(ui, kLivesPrompt, 3); }, {"5"}, 5, {""}},
      {"lives out of range, then not a number",
       [](Ui& ui) { return AskSettingsNumber(ui, kLivesPrompt, 3); },
       {"9", "x", "4"},
       4,
       {"", lives, lives}},
      {"a delay too long, then Cancel's default",
       [](Ui& ui) { return AskSettingsNumber(ui, kEnemyDelayPrompt, 40); },
       {"1000", std::nullopt},
       40,
       {"", delay}},
      {"a refused default keeps the line",
       [](Ui& ui) { return AskSettingsNumber(ui, kStartColumnPrompt, 200); },
       {std::nullopt, std::nullopt, "7"},
       7,
       {"", "Enter a number from 0 to 29.", "Enter a number from 0 to 29."}},
      {"insertion: blank, then in range",
       [](Ui& ui) { return AskInsertionNumber(ui, "Alarm", "Enter Column", 0, 30); },
       {"  ", "31", "12"},
       12,
       {"", column, column}},
      {"change: a word, then in range",
       [](Ui& ui) { return AskChangeValue(ui, MakeChangePrompt("Distance", 1, 255, 9), 1, 255); },
       {"ten", "10"},
       10,
       {"", delay}},
  };
  for (const Case& c : cases) {
    testing::ScriptedUi ui;
    ui.inputAnswers = {c.replies.begin(), c.replies.end()};
    EXPECT_EQ(c.ask(ui), c.value) << c.what;
    std::vector<std::string> shown;
    for (const auto& input : ui.Inputs()) shown.push_back(input.refusal);
    EXPECT_EQ(shown, c.refusals) << c.what;
    EXPECT_TRUE(ui.Messages().empty()) << c.what;  // the line is in the prompt, not a box of its own
  }
}

}  // namespace
}  // namespace kestrova
