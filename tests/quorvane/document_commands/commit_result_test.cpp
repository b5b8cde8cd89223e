// Committing a forced run's result: where the copy goes, what is removed,
// and which line gets which stroke.
#include "quorvane/generation/commit_result.h"

#include <gtest/gtest.h>

#include "document_test_support.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {
namespace {

using document_commands::testing::AnchorBox;
using document_commands::testing::Rectangle;

constexpr double kTolerance = 1e-6;

class CommitResultTest : public document_commands::testing::DocumentFixture {
 protected:
  CommitResultTest() {
    state_.pointsPerUnit = 1.0;
    settings::FillDefaultPlateColors(settings_);
  }

  // The piece becomes the source, Work Layer 1 exists as after a selection,
  // and the driver leaves the result at `width` points on Work Layer 2.
  host::ArtRef ApplyTo(host::LayerRef layer, double x, double y, float width) {
    const host::ArtRef piece = AddPath(layer, Rectangle(x, y, 100, 60));
    state_.sourcePath = piece;
    EXPECT_TRUE(FindOrCreateLayer(Doc(), state_, kWorkLayer1Title));
    commands::CCommandSet set("Set");
    set.SetBasicWidth(width);
    SeamAllowanceGenerator(Doc(), state_, set, PanelValues{false, 1, OptimizeChoice::kNone}, true);
    EXPECT_TRUE(state_.resultArt);
    return piece;
  }

  double StrokeWidth(host::ArtRef art) { return Doc().Style(art)->stroke.width; }

  RunState state_;
  settings::Settings settings_;
};

TEST_F(CommitResultTest, CopyLandsAboveTheSourceLayerAndWorkLayersGo) {
  Layer("Back");
  const host::LayerRef front = Layer("Front");
  const host::ArtRef first = ApplyTo(front, 0, 0, 10.0f);
  CommitResult(Doc(), state_, settings_, 10.0f);

  EXPECT_EQ(LayerIndex(kWorkLayer1Title), -1);
  EXPECT_EQ(LayerIndex(kWorkLayer2Title), -1);
  EXPECT_FALSE(state_.resultArt);
  const std::string title = "Front(Auto seam-margin generate)";
  ASSERT_NE(LayerIndex(title), -1);
  EXPECT_EQ(LayerIndex(title) + 1, LayerIndex("Front"));

  const auto art = ArtOn(title);
  ASSERT_EQ(art.size(), 1u);
  const host::ArtRef copy = art[0];
  EXPECT_TRUE(*Doc().IsClosed(copy));
  EXPECT_FALSE(*Doc().IsSelected(copy));
  const auto box = AnchorBox(Segments(copy));
  EXPECT_NEAR(box.left, -10.0, kTolerance);
  EXPECT_NEAR(box.bottom, -10.0, kTolerance);
  EXPECT_NEAR(box.right, 110.0, kTolerance);
  EXPECT_NEAR(box.top, 70.0, kTolerance);
  EXPECT_NEAR(*Doc().SignedArea(copy), 120.0 * 80.0, 1e-3);

  // The seam-allowance line is on and the finish line off by default.
  EXPECT_DOUBLE_EQ(StrokeWidth(copy), settings_.seamAllowanceLineWidth);
  EXPECT_EQ(Doc().Style(copy)->stroke.color.kind, kQvColorCustom);
  EXPECT_DOUBLE_EQ(StrokeWidth(first), 0.75);

  // A second piece of the same layer shares the result layer.
  ApplyTo(front, 300, 0, 10.0f);
  CommitResult(Doc(), state_, settings_, 10.0f);
  const auto both = ArtOn(title);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_NEAR(AnchorBox(Segments(both[0])).left, 290.0, kTolerance);
}

TEST_F(CommitResultTest, NegativeWidthStylesTheUsersPathAsTheSeamAllowance) {
  settings_.finishLine = 1;
  settings_.finishLineWidth = 1.25;
  settings_.seamAllowanceLineWidth = 0.3;
  const host::ArtRef piece = ApplyTo(Layer("Cut"), 0, 0, -10.0f);
  CommitResult(Doc(), state_, settings_, -10.0f);

  const auto art = ArtOn("Cut(Auto seam-margin generate)");
  ASSERT_EQ(art.size(), 1u);
  const auto box = AnchorBox(Segments(art[0]));
  EXPECT_NEAR(box.left, 10.0, kTolerance);
  EXPECT_NEAR(box.top, 50.0, kTolerance);
  EXPECT_DOUBLE_EQ(StrokeWidth(art[0]), 1.25);
  EXPECT_DOUBLE_EQ(StrokeWidth(piece), 0.3);
}

TEST_F(CommitResultTest, JapaneseTitleAndUnstyledLinesWhenSwitchedOff) {
  settings_.language = settings::kLanguageJapanese;
  settings_.seamAllowanceLine = 0;
  settings_.finishLine = 1;
  settings_.finishLineWidth = 2.0;
  const host::ArtRef piece = ApplyTo(Layer("前身頃"), 0, 0, 10.0f);
  CommitResult(Doc(), state_, settings_, 10.0f);

  const auto art = ArtOn("前身頃(自動作成縫代)");
  ASSERT_EQ(art.size(), 1u);
  EXPECT_DOUBLE_EQ(StrokeWidth(art[0]), 0.75);  // the source's style, copied by the driver
  EXPECT_DOUBLE_EQ(StrokeWidth(piece), 2.0);
}

TEST_F(CommitResultTest, WithoutAResultOnlyTheMarkersGo) {
  ApplyTo(Layer("Front"), 0, 0, 10.0f);
  state_.resultArt = {};
  CommitResult(Doc(), state_, settings_, 10.0f);
  EXPECT_EQ(LayerIndex(kWorkLayer1Title), -1);
  EXPECT_NE(LayerIndex(kWorkLayer2Title), -1);
  EXPECT_EQ(ArtOn("Front(Auto seam-margin generate)").size(), 0u);
}

}  // namespace
}  // namespace quorvane::generation
