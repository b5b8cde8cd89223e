// The generation driver over a real workbench document: commands applied in
// order, the alert naming the first failed command, the preview gate, and
// the user's path, selection and layers as they were after every run.
#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/seam_allowance_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "generation_test_support.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/text/messages.h"

namespace quorvane::generation {
namespace {

using commands::CCommandSet;
using commands::CommandType;
using geometry::Vec2;
using testing::AddCommand;
using testing::Corner;
using testing::Deviation;
using testing::Square;
using testing::V;
using workbench::plugin::PromptKind;

constexpr float kBasic = 10.0f;

// A triangle with acute corners at anchors 1 and 3, turned off the axes.
std::vector<host::PathSegment> Triangle() {
  std::vector<host::PathSegment> s;
  for (Vec2 p : {Vec2{0, 0}, Vec2{100, 60}, Vec2{200, 0}}) {
    const Vec2 q = geometry::RotateVector(p, 0.3);
    s.push_back(Corner(q.x, q.y));
  }
  return s;
}

PanelValues Panel(const CCommandSet& set, bool preview = true, OptimizeChoice optimize = OptimizeChoice::kNone) {
  return {preview, set.GetCommandCount() + 1, optimize};
}

class Driver : public testing::PieceFixture {
 protected:
  Driver() { state_.pointsPerUnit = 1.0; }

  // Runs the driver on the user's path and checks what every run leaves:
  // the user's path is the source again, unchanged and the only selected
  // art, and the temporary layer is gone.
  void Run(host::ArtRef user, const CCommandSet& set, const PanelValues& panel, bool force) {
    state_.sourcePath = user;
    const auto before = *Doc().Segments(user);
    SeamAllowanceGenerator(Doc(), state_, set, panel, force);
    EXPECT_EQ(state_.sourcePath, user);
    EXPECT_EQ(testing::Anchors(*Doc().Segments(user)), testing::Anchors(before));
    EXPECT_FALSE(Doc().FindLayer(kTemporaryLayerTitle));
    EXPECT_EQ(Doc().LastError(), kQvNoErr);
    EXPECT_EQ(*Doc().SelectedArt(), std::vector<host::ArtRef>{user});
  }

  bool WorkLayer2Empty() {
    auto layer = Doc().FindLayer(kWorkLayer2Title);
    return !layer || Doc().AllArtOfLayer(*layer)->empty();
  }

  const std::vector<workbench::plugin::ShownPrompt>& Shown() { return Host().Prompts().Shown(); }

  // What a failed "Extended one-side" of an earlier run could leave: both
  // ends of the left edge recorded as concave, never followed up.
  void LeaveStaleEndRecords() {
    OneSideEndRecords& r = state_.oneSideEnds;
    r = {};
    r.pending = true;
    r.mask = 3;
    for (int end : {0, 5}) {
      const double y = end == 0 ? 50 : 40;
      r.points[end] = {0, y};
      r.points[end + 1] = {-5, y};
      r.points[end + 4] = {1, end == 0 ? 1.0 : -1.0};
    }
    r.width = 20.0f;
  }
};

// The run applies its commands in order, as their steps do by hand: "45.
// backward" from the basic width, rising by its own width less that, from
// the middle of segment 1 to anchor 2.
TEST_F(Driver, CommandsApplyInOrderAsTheirStepsDo) {
  const host::ArtRef user = AddPiece(Triangle());
  const auto basic = BuildMargin(kBasic);
  ASSERT_TRUE(ApplyRightAngleCorner(Doc(), state_, 1, true));
  ASSERT_TRUE(ApplyRightAngleCorner(Doc(), state_, 3, false));
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 2, 1, 0.5, kBasic, 20.0f - kBasic, true));
  const auto expected = ResultSegments();

  CCommandSet set("corners");
  set.SetBasicWidth(kBasic);
  AddCommand(set, CommandType::kRightAngleForward, "1");
  AddCommand(set, CommandType::kRightAngleBackward, "3");
  const char label[2] = {set.AddLinePoint(1, 0.5f), 0};
  AddCommand(set, CommandType::kFortyFiveBackward, "2", label, 20.0f);
  Run(user, set, Panel(set), false);
  ExpectWellFormedResult();
  const auto result = ResultSegments();
  EXPECT_LE(Deviation(result, expected), 0.01);
  EXPECT_LE(Deviation(expected, result), 0.01);
  EXPECT_GT(Deviation(basic, result), 5.0);
  // Finished at its own size, in the user's path's style.
  EXPECT_DOUBLE_EQ(Doc().Style(state_.resultArt)->stroke.width, Doc().Style(user)->stroke.width);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(Driver, FailingThirdCommandNamesRowFourAndDiscardsTheRest) {
  const host::ArtRef user = AddPiece(Square(0, 0, 100));
  CCommandSet set("third fails");
  set.SetBasicWidth(kBasic);
  AddCommand(set, CommandType::kRightAngleForward, "1");
  AddCommand(set, CommandType::kRightAngleForward, "2");
  AddCommand(set, CommandType::kRevBackward, "9");
  AddCommand(set, CommandType::kRightAngleForward, "3");
  struct Case {
    text::Language language;
    const char* text;
  };
  for (const Case& c : {Case{text::Language::kEnglish, "Could not generate seam-margin of command no. 4 (Rev. backward)"},
                        Case{text::Language::kJapanese, "コマンドNo.4 反転逆 の縫代が作成できませんでした。"}}) {
    state_.language = c.language;
    Host().Prompts().Script({PromptKind::kAlert, c.text});
    const std::size_t shownBefore = Shown().size();
    Run(user, set, Panel(set), true);
    ASSERT_EQ(Shown().size(), shownBefore + 1);
    EXPECT_EQ(Shown().back().text, c.text);
    EXPECT_TRUE(Shown().back().answered);
    EXPECT_FALSE(state_.resultArt);
    EXPECT_TRUE(WorkLayer2Empty());
  }
  EXPECT_EQ(CommandFailureText(CommandType::kFortyFiveForward, 7, text::Language::kEnglish),
            "Could not generate seam-margin of command no. 7 (45. right)");
  EXPECT_EQ(CommandFailureText(CommandType::kNone, 7, text::Language::kEnglish), "");
}

// Widths wider than any document fail as their command, at once, rather
// than offsetting to the ends of the number range.
TEST_F(Driver, WidthsWiderThanAnyDocumentFailAsTheirCommand) {
  const host::ArtRef user = AddPiece(Square(0, 0, 100));
  state_.language = text::Language::kEnglish;
  // The fixture's unit is the point.
  // Every command with a width is checked alike, before its step runs.
  for (float width : {1e30f, -1e30f, 17000.0f, std::numeric_limits<float>::infinity(),
                      std::numeric_limits<float>::quiet_NaN()}) {
    CCommandSet set("huge");
    set.SetBasicWidth(kBasic);
    AddCommand(set, CommandType::kCutOff, "2", nullptr, width);
    // A width the set itself refuses never reaches a run.
    const float kept = set.GetCommand(0)->haba;
    if (!(kept == width || (std::isnan(kept) && std::isnan(width)))) continue;
    const std::string text = CommandFailureText(CommandType::kCutOff, 2, text::Language::kEnglish);
    Host().Prompts().Script({PromptKind::kAlert, text});
    Run(user, set, Panel(set), true);
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back().text, text) << width;
    EXPECT_FALSE(state_.resultArt);
  }
  // The basic width too fails, as the basic margin, in whatever unit.
  CCommandSet set("huge basic");
  set.SetBasicWidth(6000.0f);
  state_.pointsPerUnit = kPointsPerMillimetre;  // 6 m
  Host().Prompts().Script({PromptKind::kAlert, std::string(text::Text(text::Message::kBasicMarginFailed, text::Language::kEnglish))});
  Run(user, set, Panel(set), true);
  EXPECT_EQ(Shown().back().text, text::Text(text::Message::kBasicMarginFailed, text::Language::kEnglish));
  EXPECT_FALSE(state_.resultArt);
  // 5 m is still taken.
  set.SetBasicWidth(5000.0f);
  Run(user, set, Panel(set), true);
  EXPECT_TRUE(state_.resultArt);
}

TEST_F(Driver, PreviewGateEmptyListAndMissingSourceLeaveNoResult) {
  const host::ArtRef user = AddPiece(Square(0, 0, 100));
  CCommandSet set("one corner");
  set.SetBasicWidth(kBasic);
  AddCommand(set, CommandType::kRightAngleForward, "1");
  PanelValues none = Panel(set);
  none.commandRowCount = 0;
  // In a document without Work Layer 2, clearing creates none.
  SeamAllowanceGenerator(Doc(), state_, set, Panel(set, false), false);
  EXPECT_FALSE(Doc().FindLayer(kWorkLayer2Title)) << "preview off";
  SeamAllowanceGenerator(Doc(), state_, set, none, true);
  EXPECT_FALSE(Doc().FindLayer(kWorkLayer2Title)) << "no set selected";
  EXPECT_FALSE(state_.resultArt);

  Run(user, set, Panel(set), false);
  ASSERT_TRUE(state_.resultArt);
  // Preview unticked: only the work layer is emptied.
  Doc().SetSelected(user, false);
  SeamAllowanceGenerator(Doc(), state_, set, Panel(set, false), false);
  EXPECT_TRUE(WorkLayer2Empty());
  EXPECT_FALSE(state_.resultArt);
  EXPECT_TRUE(Doc().SelectedArt()->empty());
  EXPECT_FALSE(Doc().FindLayer(kTemporaryLayerTitle));
  // Applying does not look at the box.
  Run(user, set, Panel(set, false), true);
  EXPECT_TRUE(state_.resultArt);
  // No set selected: nothing but an empty work layer.
  Doc().SetSelected(user, false);
  SeamAllowanceGenerator(Doc(), state_, set, none, true);
  EXPECT_TRUE(WorkLayer2Empty());
  EXPECT_TRUE(Doc().SelectedArt()->empty());
  // Without a source nothing is left behind.
  state_.sourcePath = {};
  SeamAllowanceGenerator(Doc(), state_, set, Panel(set), true);
  EXPECT_FALSE(Doc().FindLayer(kTemporaryLayerTitle));
  EXPECT_FALSE(state_.sourcePath);
  EXPECT_TRUE(Shown().empty());
}

// A basic width that leaves no path is not reported as the basic margin's
// failure: a set without commands ends silently, and otherwise the first
// command fails.
TEST_F(Driver, ABasicMarginWithNoPathLeavesTheFailureToTheFirstCommand) {
  const host::ArtRef user = AddPiece(Square(0, 0, 10));
  CCommandSet set("too deep");
  set.SetBasicWidth(-10.0f);  // 10 mm inward of a 10 pt square leaves nothing
  Run(user, set, Panel(set), true);
  EXPECT_FALSE(state_.resultArt);
  EXPECT_TRUE(Shown().empty());
  AddCommand(set, CommandType::kRightAngleForward, "1");
  Host().Prompts().Script({PromptKind::kAlert, "Could not generate seam-margin of command no. 2 (90. forward)"});
  Run(user, set, Panel(set), true);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, "Could not generate seam-margin of command no. 2 (90. forward)");
  EXPECT_FALSE(state_.resultArt);
  EXPECT_TRUE(WorkLayer2Empty());
}

TEST_F(Driver, EmptySetGivesTheBasicMarginNotOptimised) {
  // Curved edges, which optimisation would refit.
  host::PathSegment a = Corner(0, 0);
  a.out = {20, 40};
  host::PathSegment b = Corner(60, 80);
  b.in = {30, 90};
  b.out = {90, 70};
  host::PathSegment c = Corner(120, 0);
  c.in = {110, 40};
  const host::ArtRef user = AddPiece({a, b, c});
  const auto basic = BuildMargin(kBasic);
  CCommandSet set("empty");
  set.SetBasicWidth(kBasic);
  for (OptimizeChoice choice : {OptimizeChoice::kNone, OptimizeChoice::kEnlarged, OptimizeChoice::kTrueSize}) {
    SCOPED_TRACE(static_cast<int>(choice));
    Run(user, set, Panel(set, true, choice), false);
    ExpectWellFormedResult();
    const auto result = ResultSegments();
    ASSERT_EQ(result.size(), basic.size());
    for (std::size_t i = 0; i < result.size(); ++i) {
      EXPECT_NEAR(geometry::Distance(V(result[i].p), V(basic[i].p)), 0.0, 1e-9);
      EXPECT_NEAR(geometry::Distance(V(result[i].in), V(basic[i].in)), 0.0, 1e-9);
    }
  }
}

// "Extended one-side" no wider than the basic width is ignored; wider, it
// widens its run, also after a run that left end records behind, which are
// not followed up on; a run without it leaves no end record either.
TEST_F(Driver, OneSideWidensItsRunOnlyBeyondTheBasicWidth) {
  const host::ArtRef user = AddPiece(Square(0, 0, 100));
  const auto basic = BuildMargin(kBasic);
  for (float width : {kBasic, 6.0f}) {
    SCOPED_TRACE(width);
    CCommandSet set("one side");
    set.SetBasicWidth(kBasic);
    AddCommand(set, CommandType::kExtendedOneSide, "1", "3", width);
    Run(user, set, Panel(set), false);
    ExpectWellFormedResult();
    EXPECT_LE(Deviation(ResultSegments(), basic), 1e-6);
    EXPECT_LE(Deviation(basic, ResultSegments()), 1e-6);
  }
  for (auto type : {CommandType::kExtendedOneSide, CommandType::kRightAngleForward}) {
    for (bool stale : {false, true}) {
      SCOPED_TRACE(::testing::Message() << static_cast<int>(type) << (stale ? " after stale end records" : ""));
      CCommandSet set("one side");
      set.SetBasicWidth(kBasic);
      const bool oneSide = type == CommandType::kExtendedOneSide;
      AddCommand(set, type, "1", oneSide ? "2" : nullptr, oneSide ? 20.0f : 0.0f);
      if (stale) LeaveStaleEndRecords();
      Run(user, set, Panel(set), false);
      ExpectWellFormedResult();
      EXPECT_FALSE(state_.oneSideEnds.pending);
      EXPECT_EQ(state_.oneSideEnds.mask, 0u);
      if (!oneSide) continue;
      // The run along the left edge, from anchor 1 to anchor 2, is 20 wide;
      // the edge opposite keeps the basic width.
      const testing::DistanceToPath toResult(ResultSegments());
      for (double y : {30.0, 45.0, 50.0, 70.0}) {
        EXPECT_LE(toResult({-20, y}), 0.05) << y;
        EXPECT_LE(toResult({100 + kBasic, y}), 0.05) << y;
      }
    }
  }
  EXPECT_TRUE(Shown().empty());
}

TEST(CarriedExtensionWidth, TakesTheWidthOfTheOneSideRangeHoldingThePoint) {
  CCommandSet set("carried");
  set.SetBasicWidth(5.0f);
  const char label[2] = {set.AddLinePoint(4, 0.5f), 0};
  AddCommand(set, CommandType::kFortyFiveBackward, "1", "3", 40.0f);  // 0: before any range
  AddCommand(set, CommandType::kExtendedOneSide, "2", "5", 20.0f);    // 1
  AddCommand(set, CommandType::kExtendedOneSide, "7", "1", 30.0f);    // 2: wraps past the start
  AddCommand(set, CommandType::kFortyFiveBackward, "1", "3", 40.0f);  // 3: in 2..5
  AddCommand(set, CommandType::kFortyFiveForward, "1", "8", 50.0f);   // 4: in 7..8
  AddCommand(set, CommandType::kFortyFiveForward, "1", "1", 50.0f);   // 5: in 0..1
  AddCommand(set, CommandType::kFortyFiveForward, "1", "6", 50.0f);   // 6: in none
  AddCommand(set, CommandType::kFortyFiveForward, "1", label, 50.0f);  // 7: segment 4
  const int segments = 8;
  EXPECT_EQ(CarriedExtensionWidth(set, 0, segments, 5.0f), 5.0f);
  EXPECT_EQ(CarriedExtensionWidth(set, 3, segments, 5.0f), 20.0f);
  EXPECT_EQ(CarriedExtensionWidth(set, 4, segments, 20.0f), 30.0f);
  EXPECT_EQ(CarriedExtensionWidth(set, 5, segments, 20.0f), 30.0f);
  // Outside every range the value left by the previous command stays.
  EXPECT_EQ(CarriedExtensionWidth(set, 6, segments, 30.0f), 30.0f);
  EXPECT_EQ(CarriedExtensionWidth(set, 7, segments, 30.0f), 20.0f);
  // A wrapping range ends at the path's segment count.
  EXPECT_EQ(CarriedExtensionWidth(set, 4, 7, 20.0f), 20.0f);
}

}  // namespace
}  // namespace quorvane::generation
