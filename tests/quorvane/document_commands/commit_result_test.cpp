// Committing a forced run's result: its layer, and which line gets which
// stroke. Batch application's tests cover the geometry and the removal of
// the work layers.
#include "quorvane/generation/commit_result.h"

#include "quorvane/panel/panel_test_support.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {
namespace {

class CommitResultTest : public panel::testing::PanelFixture {
 protected:
  // Applies a set of basic width `width` (points) to a 100 x 60 piece.
  host::ArtRef Commit(float width) {
    RunState& run = globals_->run;
    run.pointsPerUnit = 1.0;
    run.sourcePath = Piece(quorvane::testing::Rectangle(0, 0, 100, 60));
    EXPECT_TRUE(FindOrCreateLayer(Doc(), run, kWorkLayer1Title));
    commands::CCommandSet set("Set");
    set.SetBasicWidth(width);
    SeamAllowanceGenerator(Doc(), run, set, PanelValues{false, 1, OptimizeChoice::kNone}, true);
    CommitResult(Doc(), run, globals_->settings, width);
    return run.sourcePath;
  }
  double Stroke(host::ArtRef art) { return Doc().Style(art)->stroke.width; }
  settings::Settings& Settings() { return globals_->settings; }
};

// (The Japanese title of the result's layer is batch application's test.)
TEST_F(CommitResultTest, TheSignOfTheWidthTellsWhichLineIsTheSeamAllowanceAndALineSwitchedOffKeepsItsStroke) {
  Settings().finishLine = 1;
  Settings().finishLineWidth = 1.25;
  Settings().seamAllowanceLineWidth = 0.3;
  const host::ArtRef inner = Commit(-10.0f);
  auto result = ArtOn("Pieces(Auto seam-margin generate)");
  ASSERT_EQ(result.size(), 1u);
  ExpectRectangle(result[0], 10, 10, 90, 50);
  EXPECT_DOUBLE_EQ(Stroke(result[0]), 1.25);
  EXPECT_DOUBLE_EQ(Stroke(inner), 0.3);

  Settings().seamAllowanceLine = 0;
  const host::ArtRef outer = Commit(10.0f);
  result = ArtOn("Pieces(Auto seam-margin generate)");
  ASSERT_EQ(result.size(), 2u);
  EXPECT_DOUBLE_EQ(Stroke(result[0]), 0.75);  // the piece's stroke, copied by the driver
  EXPECT_DOUBLE_EQ(Stroke(outer), 1.25);
}

TEST_F(CommitResultTest, WithoutAResultTheMarkersGoAndThePreviewStays) {
  RunState& run = globals_->run;
  run.workLayer1 = *FindOrCreateLayer(Doc(), run, kWorkLayer1Title);
  run.workLayer2 = *FindOrCreateLayer(Doc(), run, kWorkLayer2Title);
  run.sourcePath = Piece(quorvane::testing::Rectangle(0, 0, 100, 60));
  CommitResult(Doc(), run, globals_->settings, 10.0f);
  EXPECT_EQ(LayerIndex(std::string(kWorkLayer1Title)), -1);
  EXPECT_NE(LayerIndex(std::string(kWorkLayer2Title)), -1);
  EXPECT_EQ(LayerIndex("Pieces(Auto seam-margin generate)"), -1);
}

}  // namespace
}  // namespace quorvane::generation
