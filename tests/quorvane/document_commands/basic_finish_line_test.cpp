// "Create basic finish line" over a real document and the headless toolkit.
#include "quorvane/document_commands/basic_finish_line.h"

#include <tuple>

#include "quorvane/panel/panel_test_support.h"
#include "quorvane/document_commands/document_command_hooks.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/source_selection.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/plugin/module_hook_table.h"
#include "quorvane/text/messages.h"
#include "support/decimal_comma_locale.h"

namespace quorvane::document_commands {
namespace {

using quorvane::testing::Rectangle;

constexpr double kMm = 72.0 / 25.4;
const std::string kLayerTitle = "Pieces(Basic finish line)";

class BasicFinishLine : public panel::testing::PanelFixture {
 protected:
  // A rectangle, the only art selected, and the command run on it.
  host::ArtRef Run(double x, double y, double w, double h, const std::string& answer = "16257:ok") {
    generation::DeselectAllArt(Doc());
    const host::ArtRef piece = Piece(Rectangle(x, y, w, h));
    Answer(answer);
    EXPECT_EQ(CreateBasicFinishLine(Ctx()), kQvNoErr);
    return piece;
  }
};

TEST_F(BasicFinishLine, RectangleShrinksByTheMarginOnALayerAboveThePiecesLayer) {
  const host::ArtRef piece = Run(0, 0, 200, 100);
  EXPECT_EQ(Dialogs().at(0).Text(kMarginField), "10");
  EXPECT_EQ(LayerIndex(kLayerTitle) + 1, LayerIndex("Pieces"));
  const auto lines = ArtOn(kLayerTitle);
  ASSERT_EQ(lines.size(), 1u) << "the duplicate is disposed of";
  ExpectRectangle(lines[0], 10 * kMm, 10 * kMm, 200 - 10 * kMm, 100 - 10 * kMm);
  ExpectRectangle(piece, 0, 0, 200, 100);
  // The piece becomes the seam-allowance line; the finish line is off by default.
  EXPECT_DOUBLE_EQ(Doc().Style(piece)->stroke.width, 0.5);
  EXPECT_DOUBLE_EQ(Doc().Style(lines[0])->stroke.width, 0.75);
  EXPECT_EQ(Doc().UndoTexts()->first, kFinishLineUndoText);

  // A second piece of the layer shares the finish-line layer; in inches,
  // with the finish line switched on, the margin and the stroke follow.
  globals_->settings.unitFactor = settings::kPointsPerInch;
  globals_->settings.basicFinishLineMargin = 1.0f;
  globals_->settings.finishLine = 1;
  globals_->settings.finishLineWidth = 1.5;
  Run(400, 0, 300, 200);
  ASSERT_EQ(ArtOn(kLayerTitle).size(), 2u);
  ExpectRectangle(ArtOn(kLayerTitle)[0], 472, 72, 628, 128);
  EXPECT_DOUBLE_EQ(Doc().Style(ArtOn(kLayerTitle)[0])->stroke.width, 1.5);
}

TEST_F(BasicFinishLine, OnlyJapaneseGetsTheJapaneseDialog) {
  for (const auto& [language, answer, title] :
       {std::tuple{text::Language::kJapanese, "16157:ok", "基本仕上り線作成"},
        std::tuple{text::Language::kKorean, "16257:ok", "Create basic finish line"}}) {
    globals_->settings.language = language;
    Run(0, 0, 200, 100, answer);
    EXPECT_EQ(Dialogs().back().title, std::string(title));
  }
  EXPECT_EQ(ArtOn(kLayerTitle).size(), 2u);
}

TEST_F(BasicFinishLine, RefusedMarginsBeepAndKeepTheDialogOpen) {
  Run(0, 0, 200, 100, "16257:text 5=0;ok;text 5=-5;ok;text 5=abc;ok;text 5=7.5;ok");
  EXPECT_EQ(Ui().BeepCount(), 3);
  EXPECT_FLOAT_EQ(globals_->settings.basicFinishLineMargin, 7.5f);
  ExpectRectangle(ArtOn(kLayerTitle).at(0), 7.5 * kMm, 7.5 * kMm, 200 - 7.5 * kMm, 100 - 7.5 * kMm);
  // Offered again next time; Cancel then changes nothing.
  Run(400, 0, 100, 100, "16257:cancel");
  EXPECT_EQ(Dialogs().at(1).Text(kMarginField), "7.5");
  EXPECT_EQ(ArtOn(kLayerTitle).size(), 1u);
}

TEST_F(BasicFinishLine, ADecimalCommaLocaleShowsTheMarginWithAFullStop) {
  quorvane::testing::DecimalCommaLocale locale;
  QUORVANE_REQUIRE_DECIMAL_COMMA(locale);
  globals_->settings.basicFinishLineMargin = 7.5f;
  Run(0, 0, 200, 100);
  EXPECT_EQ(Dialogs().at(0).Text(kMarginField), "7.5");
  ExpectRectangle(ArtOn(kLayerTitle).at(0), 7.5 * kMm, 7.5 * kMm, 200 - 7.5 * kMm, 100 - 7.5 * kMm);
}

TEST_F(BasicFinishLine, WithoutOneClosedPathItSaysSoInTheUsersLanguage) {
  const host::ArtRef open = Piece(Rectangle(0, 0, 50, 50), false);
  globals_->run.resultArt = open;
  ExpectAlert(std::string(text::Text(text::Message::kOpenPathSelected, text::Language::kEnglish)));  // the selection check's own
  ExpectAlert("Please select a closed path.");
  CreateBasicFinishLine(Ctx());
  EXPECT_FALSE(globals_->run.sourcePath);
  EXPECT_FALSE(globals_->run.resultArt);
  generation::DeselectAllArt(Doc());
  globals_->settings.language = text::Language::kJapanese;
  ExpectAlert("閉じたパスを1つ選択して下さい。");
  CreateBasicFinishLine(Ctx());
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(LayerIndex(kLayerTitle), -1);
}

TEST_F(BasicFinishLine, RunsAsCommand1001InsideTheModulesActionAsOneUndoableStep) {
  const host::ArtRef piece = Piece(Rectangle(0, 0, 200, 100));
  bound_.Document().CommitStep();
  Answer("16257:ok");
  // The command reaches the toolkit through the suites its call acquired.
  EXPECT_EQ(host::RunCommand(*globals_, host::kCreateBasicFinishLineCommand), kQvNoErr);
  ExpectRectangle(ArtOn(kLayerTitle).at(0), 10 * kMm, 10 * kMm, 200 - 10 * kMm, 100 - 10 * kMm);
  bound_.Document().CommitStep();
  EXPECT_EQ(bound_.Document().UndoText(), kFinishLineUndoText);
  ASSERT_TRUE(bound_.Document().Undo());
  EXPECT_EQ(bound_.Document().RedoText(), kFinishLineRedoText);
  EXPECT_EQ(LayerIndex(kLayerTitle), -1);
  EXPECT_TRUE(Doc().IsValid(piece));
}

TEST(MarginEntry, OnlyPositiveFiniteMarginsAreTaken) {
  EXPECT_TRUE(AcceptableMargin(0.001));
  EXPECT_FALSE(AcceptableMargin(0.0));
  EXPECT_FALSE(AcceptableMargin(1.7976931348623157e308));
  EXPECT_FALSE(AcceptableMargin(1e39));  // beyond what the settings keep
}

}  // namespace
}  // namespace quorvane::document_commands
