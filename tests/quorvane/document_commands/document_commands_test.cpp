// The document commands, "Create basic finish line" and batch application,
// over a real document, the panel and the headless toolkit.
#include <algorithm>
#include <tuple>

#include "quorvane/document_commands/basic_finish_line.h"
#include "quorvane/document_commands/batch_application.h"
#include "quorvane/document_commands/document_command_hooks.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/commit_result.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_test_support.h"
#include "quorvane/panel/panel_window.h"
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

  // A second piece of the layer shares the finish-line layer; with the
  // finish line switched on, the new line takes its stroke.
  globals_->settings.finishLine = 1;
  globals_->settings.finishLineWidth = 1.5;
  Run(400, 0, 300, 200);
  ASSERT_EQ(ArtOn(kLayerTitle).size(), 2u);
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

// Only positive finite margins the settings can keep are taken.
TEST_F(BasicFinishLine, RefusedMarginsBeepAndKeepTheDialogOpen) {
  Run(0, 0, 200, 100,
      "16257:text 5=0;ok;text 5=-5;ok;text 5=abc;ok;text 5=1.7976931348623157e308;ok;text 5=1e39;ok;"
      "text 5=7.5;ok");
  EXPECT_EQ(Ui().BeepCount(), 5);
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

// Batch application over the panel's sets.
const std::string kResultLayer = "Pieces(Auto seam-margin generate)";

class BatchApplication : public panel::testing::PanelFixture {
 protected:
  // The panel over sets "Set 0", "Set 1"... of these basic widths (mm), and
  // two selected pieces.
  void Start(std::initializer_list<float> widths) {
    ASSERT_EQ(panel::CreatePanel(Ctx()), kQvNoErr);
    globals_->commandSets.ClearSets();
    for (float width : widths) {
      globals_->commandSets.AddSet("Set " + std::to_string(globals_->commandSets.GetSetCount())).SetBasicWidth(width);
    }
    panel::RefreshSets(Ctx(), true);
    Piece(Rectangle(0, 0, 100, 60));
    Piece(Rectangle(300, 0, 80, 80));
  }
  // Both pieces' results, grown by `grow` points. The host lists the
  // selection from the top, so the first piece is committed last, on top.
  void ExpectResults(double grow) {
    const auto results = ArtOn(kResultLayer);
    ASSERT_EQ(results.size(), 2u);
    ExpectRectangle(results[0], -grow, -grow, 100 + grow, 60 + grow);
    ExpectRectangle(results[1], 300 - grow, -grow, 380 + grow, 80 + grow);
    for (host::ArtRef art : results) EXPECT_FALSE(*Doc().IsSelected(art));
  }
};

TEST_F(BatchApplication, EveryClosedPathGetsItsResultAndAnOpenPathIsLeftAlone) {
  Start({10.0f});
  const host::ArtRef open = Piece(Rectangle(0, 200, 50, 50), false);
  Answer("16259:ok");
  EXPECT_EQ(BatchApply(Ctx()), kQvNoErr);
  EXPECT_EQ(Dialogs().at(0).title, "Batch Application");
  ExpectResults(10 * kMm);
  EXPECT_EQ(LayerIndex(kResultLayer) + 1, LayerIndex("Pieces"));
  EXPECT_EQ(ArtOn("Pieces").size(), 3u);
  EXPECT_FALSE(*Doc().IsClosed(open));
  EXPECT_EQ(Doc().Segments(open)->at(2).p.v, 250.0);
  EXPECT_EQ(LayerIndex(std::string(generation::kWorkLayer1Title)), -1);
  EXPECT_EQ(LayerIndex(std::string(generation::kWorkLayer2Title)), -1);

  // Korean: the English dialog and the Japanese texts.
  globals_->settings.language = text::Language::kKorean;
  for (host::ArtRef piece : ArtOn("Pieces")) Doc().SetSelected(piece, true);
  Answer("16259:ok");
  EXPECT_EQ(BatchApply(Ctx()), kQvNoErr);
  EXPECT_EQ(Dialogs().at(1).title, "Batch Application");
  EXPECT_EQ(ArtOn("Pieces" + std::string(text::Text(text::Message::kResultLayerSuffix, text::Language::kJapanese))).size(), 2u);
}

TEST_F(BatchApplication, ThePanelKeepsItsSetAndSourceWhenAnotherSetIsApplied) {
  Start({5.0f, 20.0f});
  panel::LoadSet(Ctx(), 1, false);
  const host::ArtRef panelSource = ArtOn("Pieces").back();
  globals_->run.sourcePath = panelSource;
  panel::StateOf(*globals_).batchSet = 7;  // past the list: the first set is offered
  Answer("16259:ok");
  BatchApply(Ctx());
  EXPECT_EQ(Dialogs().at(0).Text(kBatchSetList), "Set 0");
  EXPECT_EQ(panel::StateOf(*globals_).batchSet, 0);
  ExpectResults(5 * kMm);
  EXPECT_EQ(globals_->selectedSet, 1);
  EXPECT_FLOAT_EQ(globals_->workingSet.GetBasicWidth(), 20.0f);
  EXPECT_EQ(globals_->run.sourcePath, panelSource);
}

TEST_F(BatchApplication, AnEmptySetListIsDisabledAndStoresNoSet) {
  Start({});
  Answer("16259:ok");
  BatchApply(Ctx());
  const auto& controls = Dialogs().at(0).controls;
  const auto list = std::find_if(controls.begin(), controls.end(), [](const auto& c) { return c.id == kBatchSetList; });
  ASSERT_NE(list, controls.end());
  EXPECT_FALSE(list->enabled);
  EXPECT_EQ(panel::StateOf(*globals_).batchSet, -1);
  EXPECT_TRUE(ArtOn(kResultLayer).empty());
}

TEST_F(BatchApplication, WithoutAClosedPathItSaysSoInTheUsersLanguage) {
  globals_->run.sourcePath = Piece(Rectangle(0, 0, 50, 50), false);
  ExpectAlert(std::string(text::Text(text::Message::kSelectClosedPaths, text::Language::kEnglish)));
  BatchApply(Ctx());
  EXPECT_FALSE(globals_->run.sourcePath);
  globals_->settings.language = text::Language::kJapanese;
  ExpectAlert(std::string(text::Text(text::Message::kSelectClosedPaths, text::Language::kJapanese)));
  BatchApply(Ctx());
  EXPECT_TRUE(Dialogs().empty());
}

// Committing a forced run's result: its layer, and which line gets which
// stroke (the geometry and the removal of the work layers are batch
// application's).
class CommitResultTest : public panel::testing::PanelFixture {
 protected:
  // Applies a set of basic width `width` (points) to a 100 x 60 piece.
  host::ArtRef Commit(float width) {
    generation::RunState& run = globals_->run;
    run.pointsPerUnit = 1.0;
    run.sourcePath = Piece(Rectangle(0, 0, 100, 60));
    EXPECT_TRUE(generation::FindOrCreateLayer(Doc(), run, generation::kWorkLayer1Title));
    commands::CCommandSet set("Set");
    set.SetBasicWidth(width);
    const generation::PanelValues values{false, 1, generation::OptimizeChoice::kNone};
    generation::SeamAllowanceGenerator(Doc(), run, set, values, true);
    generation::CommitResult(Doc(), run, globals_->settings, width);
    return run.sourcePath;
  }
  double Stroke(host::ArtRef art) { return Doc().Style(art)->stroke.width; }
  settings::Settings& Settings() { return globals_->settings; }
};

TEST_F(CommitResultTest, TheSignOfTheWidthTellsWhichLineIsTheSeamAllowanceAndALineSwitchedOffKeepsItsStroke) {
  Settings().finishLine = 1;
  Settings().finishLineWidth = 1.25;
  Settings().seamAllowanceLineWidth = 0.3;
  const host::ArtRef inner = Commit(-10.0f);
  auto result = ArtOn(kResultLayer);
  ASSERT_EQ(result.size(), 1u);
  ExpectRectangle(result[0], 10, 10, 90, 50);
  EXPECT_DOUBLE_EQ(Stroke(result[0]), 1.25);
  EXPECT_DOUBLE_EQ(Stroke(inner), 0.3);

  Settings().seamAllowanceLine = 0;
  const host::ArtRef outer = Commit(10.0f);
  result = ArtOn(kResultLayer);
  ASSERT_EQ(result.size(), 2u);
  EXPECT_DOUBLE_EQ(Stroke(result[0]), 0.75);  // the piece's stroke, copied by the driver
  EXPECT_DOUBLE_EQ(Stroke(outer), 1.25);
}

TEST_F(CommitResultTest, WithoutAResultTheMarkersGoAndThePreviewStays) {
  generation::RunState& run = globals_->run;
  run.workLayer1 = *generation::FindOrCreateLayer(Doc(), run, generation::kWorkLayer1Title);
  run.workLayer2 = *generation::FindOrCreateLayer(Doc(), run, generation::kWorkLayer2Title);
  run.sourcePath = Piece(Rectangle(0, 0, 100, 60));
  generation::CommitResult(Doc(), run, globals_->settings, 10.0f);
  EXPECT_EQ(LayerIndex(std::string(generation::kWorkLayer1Title)), -1);
  EXPECT_NE(LayerIndex(std::string(generation::kWorkLayer2Title)), -1);
  EXPECT_EQ(LayerIndex(kResultLayer), -1);
}

}  // namespace
}  // namespace quorvane::document_commands
