// Whole sessions with the panel, driven through its window as the user
// drives it: each click plays the module's action and the command dispatch
// runs the command.
#include <gtest/gtest.h>

#include "panel_test_support.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "quorvane/panel/point_picking_tool.h"

namespace quorvane::panel::testing {
namespace {

using PanelSession = PanelFixture;

constexpr double kMm = 72.0 / 25.4;

QvRealRect BoundsOf(host::HostDocument& doc, host::ArtRef art) {
  const std::optional<QvRealRect> bounds = doc.Bounds(art);
  EXPECT_TRUE(bounds);
  return bounds.value_or(QvRealRect{});
}

TEST_F(PanelSession, NewSetCutOffCommandSaveAndApply) {
  StartWithSquare();
  const host::ArtRef square = Globals().run.sourcePath;
  ASSERT_TRUE(square);
  EXPECT_EQ(Control(kStartPointField).items, (std::vector<std::string>{"1", "2", "3", "4"}));

  // A new set under the proposed name.
  AnswerNameDialog("");
  Click(kNewSetButton);
  EXPECT_EQ(Rows(kSetList), (std::vector<std::string>{"Command set 1"}));
  EXPECT_TRUE(Enabled(kAddButton));

  // A basic width of 10 mm, previewed.
  Type(kBasicWidthField, "10");
  Click(kCreateButton);
  EXPECT_EQ(Rows(kCommandList), (std::vector<std::string>{"1  Basic seam-margin         10.0"}));
  EXPECT_EQ(Globals().modified, 1);
  Click(kPreviewCheckBox);
  ASSERT_TRUE(Globals().run.resultArt);
  EXPECT_NEAR(BoundsOf(Doc(), Globals().run.resultArt).right, 100.0 + 10.0 * kMm, 0.05);

  // "Cut off" at anchor 2, picked with the tool, then its width.
  Click(kFirstTypeButton + 8);
  Click(kAddButton);
  EXPECT_EQ(State().pickingState, PickingState::kCutOff);
  EXPECT_EQ(State().incompleteCommand, 1);
  EXPECT_FALSE(Enabled(kApplyButton));
  ExpectAlert("Please input point of command.");
  SelectRow(kCommandList, 0);
  EXPECT_EQ(Control(kCommandList).selection, 1);

  ApplyPick(Ctx(), SourceHit{HitKind::kAnchor, 2, 0.0f});
  EXPECT_EQ(State().pickingState, PickingState::kAwaitingWidth);
  EXPECT_TRUE(Enabled(kUpdateWidthButton));
  ExpectAlert("Please input width of command.");
  SelectRow(kCommandList, 0);
  EXPECT_EQ(Control(kCommandList).selection, 1);

  Type(kCommandWidthField, "5");
  Click(kUpdateWidthButton);
  EXPECT_EQ(State().pickingState, PickingState::kIdle);
  EXPECT_EQ(Rows(kCommandList).at(1), "2  Cut off            2      5.0");
  EXPECT_TRUE(Enabled(kApplyButton));
  ASSERT_TRUE(Globals().run.resultArt);
  // The notch at the corner (0, 100) keeps the margin's bounds.
  EXPECT_NEAR(BoundsOf(Doc(), Globals().run.resultArt).top, 100.0 + 10.0 * kMm, 0.05);

  // Applied: the result on its own layer (its styles are the committing
  // step's, tested with it), the work layers gone, the panel disabled.
  Click(kApplyButton);
  EXPECT_EQ(State().enabled, 0);
  EXPECT_FALSE(Doc().FindLayer(generation::kWorkLayer1Title).value_or(host::LayerRef{}));
  const std::optional<host::LayerRef> result = Doc().FindLayer("Layer 1(Auto seam-margin generate)");
  ASSERT_TRUE(result && *result);
  const std::vector<host::ArtRef> art = Doc().AllArtOfLayer(*result).value_or(std::vector<host::ArtRef>{});
  ASSERT_EQ(art.size(), 1u);
  EXPECT_NEAR(BoundsOf(Doc(), art[0]).left, -10.0 * kMm, 0.05);
  EXPECT_TRUE(Doc().IsValid(square));
}

}  // namespace
}  // namespace quorvane::panel::testing
