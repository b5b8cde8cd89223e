// The one-line form of dialog answers given on the command line.
#include <gtest/gtest.h>

#include "workbench/ui/dialog_script.h"

namespace workbench::ui {
namespace {

using Kind = DialogStep::Kind;

TEST(ParseDialogAnswer, ReadsEveryKindOfStep) {
  std::string error;
  auto answer = ParseDialogAnswer("16259:select 5=basic set;text 6= 7.5 ;select 8#2;click 20;ok;cancel", &error);
  ASSERT_TRUE(answer) << error;
  EXPECT_EQ(answer->resourceId, 16259);
  std::vector<std::string> steps;
  for (const DialogStep& step : answer->steps) steps.push_back(DescribeStep(step));
  // Typed text is kept as written, spaces included.
  EXPECT_EQ(steps, (std::vector<std::string>{"select 5=basic set", "text 6= 7.5 ", "select 8#2", "click 20",
                                             "click 1", "click 2"}));
  EXPECT_EQ(answer->steps[0].kind, Kind::kSelectText);
  EXPECT_EQ(answer->steps[2].kind, Kind::kSelectIndex);
  EXPECT_EQ(answer->steps[2].index, 2);

  auto any = ParseDialogAnswer("*:text 5=ジャケット;", &error);
  ASSERT_TRUE(any) << error;
  EXPECT_EQ(any->resourceId, 0);
  ASSERT_EQ(any->steps.size(), 1U);
  EXPECT_EQ(any->steps[0].kind, Kind::kSetText);
  EXPECT_EQ(any->steps[0].text, "ジャケット");
}

struct BadAnswer {
  const char* text;
  const char* says;
};

class ParseDialogAnswerBad : public ::testing::TestWithParam<BadAnswer> {};

TEST_P(ParseDialogAnswerBad, FailsSayingWhy) {
  std::string error;
  EXPECT_FALSE(ParseDialogAnswer(GetParam().text, &error));
  EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDialogAnswerBad,
    ::testing::Values(BadAnswer{"click 1", "no ':'"}, BadAnswer{"abc:ok", "resource number or '*'"},
                      BadAnswer{"-3:ok", "resource number"}, BadAnswer{"1:press 4", "step 1 (\"press 4\")"},
                      BadAnswer{"1:ok;click x", "step 2"}, BadAnswer{"1:click", "names no control"},
                      BadAnswer{"1:text 5", "N=TEXT"}, BadAnswer{"1:select 5#-1", "row number"},
                      BadAnswer{"1:select five=a", "control number"}, BadAnswer{"1:ok;;cancel", "empty step"},
                      BadAnswer{"1:", "empty step"}));

}  // namespace
}  // namespace workbench::ui
