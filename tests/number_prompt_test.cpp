#include "level/number_prompt.h"

#include <climits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace kestrova {
namespace {

struct ReadCase {
  const char* text;
  std::optional<int> value;
};

TEST(ReadLeadingInteger, TakesTheLeadingNumberAndIgnoresTheRest) {
  const ReadCase cases[] = {
      {"5", 5},
      {"  7", 7},
      {"\t12", 12},
      {"+3", 3},
      {"-4", -4},
      {"5x", 5},
      {"12abc", 12},
      {"0x1F", 0},
      {"1e2", 1},
      {"3 4", 3},
      {"007", 7},
      {"-0", 0},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"x5", std::nullopt},
      {"$1F", std::nullopt},
      {"+", std::nullopt},
      {"- 5", std::nullopt},
      {"+-5", std::nullopt},
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", INT_MIN},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const ReadCase& c : cases) EXPECT_EQ(ReadLeadingInteger(c.text), c.value) << '"' << c.text << '"';
}

struct ReplyCase {
  const char* reply;
  int maxLength, min, max;
  std::optional<int> accepted;
};

TEST(AcceptSettingsReply, TrimsForTheLengthTestThenTestsTheRange) {
  const ReplyCase cases[] = {
      {"5", 2, 0, 29, 5},
      {" 5 ", 2, 0, 29, 5},  // blanks are removed for the length test
      {"29", 2, 0, 29, 29},
      {"0", 2, 0, 29, 0},
      {"30", 2, 0, 29, std::nullopt},  // out of range
      {"  ", 2, 0, 29, std::nullopt},  // empty once trimmed
      {"", 2, 0, 29, std::nullopt},
      {"-1", 2, 0, 29, std::nullopt},
      {"5x", 2, 0, 29, 5},                // the rest after the number is ignored
      {"x5", 2, 0, 29, std::nullopt},     // no number
      {"005", 2, 0, 29, std::nullopt},    // three characters for a two-character prompt
      {"1000", 3, 1, 255, std::nullopt},  // refused by its length before its value
      {"255", 3, 1, 255, 255},
      {"256", 3, 1, 255, std::nullopt},
      {"0", 3, 1, 255, std::nullopt},
      {"0x1", 3, 1, 255, std::nullopt},  // reads 0
      {"1e2", 3, 1, 255, 1},
      {"+8", 1, 1, 8, std::nullopt},  // two characters for the one-character lives prompt
      {"8", 1, 1, 8, 8},
      {"9", 1, 1, 8, std::nullopt},
      {"5", 0, 0, 29, std::nullopt},  // no length allowed at all
  };
  for (const ReplyCase& c : cases) {
    EXPECT_EQ(AcceptSettingsReply(c.reply, c.maxLength, c.min, c.max), c.accepted)
        << '"' << c.reply << "\" L=" << c.maxLength << " " << c.min << ".." << c.max;
  }
}

TEST(AskSettingsNumber, RepeatsTheSameDialogUntilAReplyIsAcceptable) {
  testing::ScriptedUi ui;
  ui.inputAnswers = {"30", "  ", "abc", " 5 "};
  EXPECT_EQ(AskSettingsNumber(ui, "Column", "Enter New Start Column (0-29)", "12", 2, 0, 29), 5);
  const auto inputs = ui.Inputs();
  ASSERT_EQ(inputs.size(), 4u);
  for (const auto& input : inputs) {
    EXPECT_EQ(input.title, "Column");
    EXPECT_EQ(input.text, "Enter New Start Column (0-29)");
    EXPECT_EQ(input.defaultText, "12");
  }
  EXPECT_TRUE(ui.Messages().empty());  // a refused reply shows no message
}

TEST(AskSettingsNumber, CancelGivesTheDefaultWhichIsTestedLikeAReply) {
  testing::ScriptedUi ui;
  ui.inputAnswers = {std::nullopt};
  EXPECT_EQ(AskSettingsNumber(ui, kEnemyDelayPrompt, 40), 40);
  EXPECT_EQ(ui.Inputs().size(), 1u);

  // A byte outside the range makes a default that is refused: Cancel does
  // not leave the prompt, only an acceptable reply does.
  testing::ScriptedUi outOfRange;
  outOfRange.inputAnswers = {std::nullopt, std::nullopt, "7"};
  EXPECT_EQ(AskSettingsNumber(outOfRange, kStartColumnPrompt, 200), 7);
  ASSERT_EQ(outOfRange.Inputs().size(), 3u);
  EXPECT_EQ(outOfRange.Inputs()[0].defaultText, "200");
  EXPECT_EQ(outOfRange.Inputs()[0].title, "Column");
}

TEST(AskSettingsNumber, TheScriptedFakeFailsInsteadOfHangingOnARefusedDefault) {
  testing::ScriptedUi ui;
  ui.unscriptedInputLimit = 5;
  EXPECT_THROW(AskSettingsNumber(ui, kLivesPrompt, 0), std::runtime_error);
  EXPECT_EQ(ui.Inputs().size(), 6u);
}

}  // namespace
}  // namespace kestrova
