// Batch application over a real document, the panel and the headless toolkit.
#include "quorvane/document_commands/batch_application.h"

#include <algorithm>

#include "quorvane/panel/panel_test_support.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/text/messages.h"

namespace quorvane::document_commands {
namespace {

using quorvane::testing::Rectangle;

constexpr double kMm = 72.0 / 25.4;
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

}  // namespace
}  // namespace quorvane::document_commands
