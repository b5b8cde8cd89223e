// The controller's rules where a slip would show: proposed names, which set
// is selected after a removal, the guards while a command is incomplete or
// waits for its width, the start point's bounds, renaming an art-held set,
// the questions before changes are lost, and the Japanese texts.
#include <gtest/gtest.h>

#include <tuple>

#include "panel_test_support.h"
#include "quorvane/commands/art_set_tags.h"
#include "quorvane/commands/list_file.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/point_picking_tool.h"

namespace quorvane::panel::testing {
namespace {

using commands::CommandType;

class PanelController : public PanelFixture {
 protected:
  // Sets named `names`, each with one "Rev. forward" command per anchor in
  // `anchors`, then the panel with the square and the tool selected.
  void StartWithSets(const std::vector<std::string>& names, const std::vector<std::string>& anchors = {}) {
    for (const std::string& name : names) {
      commands::CCommandSet& set = Globals().commandSets.AddSet(name);
      set.SetBasicWidth(5.0f);
      for (const std::string& anchor : anchors) {
        const int i = set.AddCommand(CommandType::kRevForward) - 1;
        set.SetCommandPoint(i, 0, anchor);
      }
    }
    StartWithSquare();
  }
};

TEST_F(PanelController, NewSetProposesTheSmallestFreeNumberAndCancelChangesNothing) {
  StartWithSets({"Command set 1", "Command set 3"});
  AnswerNameDialog("", false);
  Click(kNewSetButton);
  EXPECT_EQ(Ui().ShownDialogs().back().Text(5), "Command set 2");
  EXPECT_EQ(Globals().commandSets.GetSetCount(), 2);

  AnswerNameDialog("");
  Click(kNewSetButton);
  EXPECT_EQ(Rows(kSetList), (std::vector<std::string>{"Command set 1", "Command set 3", "Command set 2"}));
  EXPECT_EQ(Control(kSetList).selection, 2);
  EXPECT_EQ(Globals().selectedSet, 2);
  EXPECT_STREQ(Globals().currentSetName, "Command set 2");
}

TEST_F(PanelController, RemovingASetSelectsTheSameRowElseTheLastElseNone) {
  StartWithSets({"A", "B", "C"});
  SelectRow(kSetList, 2);
  ExpectQuestion("Are you sure to delete 'C'?", false);
  Click(kRemoveSetButton);
  EXPECT_EQ(Globals().commandSets.GetSetCount(), 3);
  // Each removal answered yes: the rows left and the row selected.
  for (const auto& [row, name, left, selected] :
       {std::tuple{2, "C", std::vector<std::string>{"A", "B"}, 1}, {0, "A", {"B"}, 0}, {0, "B", {}, -1}}) {
    SelectRow(kSetList, row);
    ExpectQuestion("Are you sure to delete '" + std::string(name) + "'?", true);
    Click(kRemoveSetButton);
    EXPECT_EQ(Rows(kSetList), left);
    EXPECT_EQ(Control(kSetList).selection, selected);
    EXPECT_EQ(Globals().selectedSet, selected);
  }
  // Only the set list, "New", "Preview" and the adjust field stay usable.
  for (std::int32_t id : {kCommandList, kAddButton, kEditSetButton, kRemoveSetButton, kApplyButton, kSaveButton,
                          kBasicWidthField, kOptimizeList, kFirstTypeButton}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Enabled(kNewSetButton));
  EXPECT_TRUE(Enabled(kSetList));
  // Nothing was written: removal does not save.
  commands::CCommandSetList onDisk;
  EXPECT_FALSE(commands::LoadListFile(ListFilePath(), onDisk).read);
}

// A command waits for its point, then for its width; meanwhile its row
// stays selected and its set cannot be left.
TEST_F(PanelController, AnIncompleteCommandHoldsItsRowAndItsSetUntilItHasItsPointAndWidth) {
  StartWithSets({"A", "B"});
  Click(kFirstTypeButton + 8);  // "Cut off"
  Click(kAddButton);
  EXPECT_EQ(State().pickingState, PickingState::kCutOff);
  ASSERT_EQ(State().incompleteCommand, 1);
  EXPECT_FALSE(Enabled(kApplyButton));
  ExpectAlert("Please accomplish command.");
  SelectRow(kSetList, 1);
  EXPECT_EQ(Globals().selectedSet, 0);
  ExpectAlert("Please input point of command.");
  SelectRow(kCommandList, 0);
  EXPECT_EQ(Control(kCommandList).selection, 1);

  ApplyPick(Ctx(), SourceHit{HitKind::kAnchor, 2, 0.0f});
  EXPECT_EQ(State().pickingState, PickingState::kAwaitingWidth);
  EXPECT_TRUE(Enabled(kUpdateWidthButton));
  ExpectAlert("Please input width of command.");
  SelectRow(kCommandList, 0);
  EXPECT_EQ(Control(kCommandList).selection, 1);
  // (The width typed in and updated is the desktop session's test.)
}

TEST_F(PanelController, ChangesAreDiscardedOnlyWhenTheUserSaysSo) {
  StartWithSets({"A", "B"});
  Type(kBasicWidthField, "3");
  Click(kCreateButton);
  ASSERT_EQ(Globals().modified, 1);
  EXPECT_FLOAT_EQ(Globals().workingSet.GetBasicWidth(), 3.0f);

  ExpectQuestion("'A' is changed. Are you sure to discard?", false);
  SelectRow(kSetList, 1);
  EXPECT_EQ(Control(kSetList).selection, 0);
  EXPECT_EQ(Globals().modified, 1);
  EXPECT_FLOAT_EQ(Globals().workingSet.GetBasicWidth(), 3.0f);

  ExpectQuestion("'A' is changed. Are you sure to discard?", true);
  SelectRow(kSetList, 1);
  EXPECT_EQ(Globals().selectedSet, 1);
  EXPECT_EQ(Globals().modified, 0);
  EXPECT_FLOAT_EQ(Globals().commandSets.GetSet(0)->GetBasicWidth(), 5.0f);
  EXPECT_EQ(Control(kBasicWidthField).text, "5.0");
}

TEST_F(PanelController, CommandRowsAreRemovedAndMovedWithinTheList) {
  StartWithSets({"A"}, {"1", "2", "3"});
  SelectRow(kCommandList, 3);
  EXPECT_EQ(State().selectedCommand, 2);
  EXPECT_TRUE(Enabled(kRemoveCommandButton));
  EXPECT_FALSE(Enabled(kUpdateWidthButton));  // "Rev. forward" has no width
  Click(kMoveDownButton);                     // already the last
  EXPECT_EQ(Globals().modified, 0);
  Click(kRemoveCommandButton);
  ASSERT_EQ(Rows(kCommandList).size(), 3u);
  EXPECT_EQ(Control(kCommandList).selection, 2);
  EXPECT_EQ(Rows(kCommandList)[2], "3  Rev. forward       2      ");

  SelectRow(kCommandList, 1);
  Click(kMoveUpButton);  // nothing above the first command
  EXPECT_EQ(Rows(kCommandList)[1], "2  Rev. forward       1      ");
  Click(kMoveDownButton);
  EXPECT_EQ(Rows(kCommandList)[1], "2  Rev. forward       2      ");
  EXPECT_EQ(Rows(kCommandList)[2], "3  Rev. forward       1      ");
  EXPECT_EQ(Control(kCommandList).selection, 2);

  SelectRow(kCommandList, 0);
  EXPECT_FALSE(Enabled(kRemoveCommandButton));
  EXPECT_FALSE(Enabled(kCommandWidthField));
  EXPECT_EQ(Control(kCommandWidthField).text, "");
}

TEST_F(PanelController, StartPointMovesOnlyWithinTheSegmentCount) {
  StartWithSets({"A"});
  const host::ArtRef square = Globals().run.sourcePath;
  const auto original = Doc().Segments(square).value();
  // The number typed, the anchor that then starts the path and the field's
  // text after the click: out of range nothing moves.
  for (const auto& [n, start, shown] : {std::tuple{"1", 0u, "1"}, {"5", 0u, "5"}, {"0", 0u, "0"}, {"3", 2u, "1"}}) {
    Type(kStartPointField, n);
    Click(kStartPointButton);
    const auto now = Doc().Segments(square).value();
    ASSERT_EQ(now.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
      const QvRealPoint expected = original[(i + start) % 4].p;
      EXPECT_TRUE(now[i].p.h == expected.h && now[i].p.v == expected.v) << n << ", anchor " << i;
    }
    EXPECT_EQ(Control(kStartPointField).text, shown);
  }
}

TEST_F(PanelController, AnArtHeldSetIsRenamedWithoutItsBracketsAndKeepsThem) {
  StartWithSets({"A"});
  commands::CCommandSet pocket("Pocket");
  pocket.SetBasicWidth(7.0f);
  const host::ArtRef square = Globals().run.sourcePath;
  ASSERT_EQ(commands::StoreSetOnArt(Doc(), square, pocket), kQvNoErr);
  Globals().selectedArt = square;
  std::vector<commands::Diagnostic> problems;
  const std::optional<int> held = commands::AddArtHeldSet(Globals().commandSets, Doc(), square, problems);
  ASSERT_TRUE(held);
  ASSERT_EQ(RefreshSetList(Ctx(), *held), kQvNoErr);
  EXPECT_EQ(Rows(kSetList), (std::vector<std::string>{"A", "<Pocket>"}));
  EXPECT_EQ(Control(kSetList).selection, 1);
  EXPECT_EQ(Control(kBasicWidthField).text, "7.0");

  AnswerNameDialog("", false);
  Click(kEditSetButton);
  EXPECT_EQ(Ui().ShownDialogs().back().Text(5), "Pocket");
  EXPECT_EQ(Rows(kSetList)[1], "<Pocket>");

  AnswerNameDialog("Flap");
  Click(kEditSetButton);
  EXPECT_EQ(Rows(kSetList)[1], "<Flap>");
  EXPECT_EQ(Globals().commandSets.GetSetName(1), "<Flap>");
  EXPECT_STREQ(Globals().currentSetName, "<Flap>");
  EXPECT_EQ(Globals().modified, 0);

  // A new set replaces the art-held one at the end of the list.
  AnswerNameDialog("B");
  Click(kNewSetButton);
  EXPECT_EQ(Rows(kSetList), (std::vector<std::string>{"A", "B"}));
}

TEST_F(PanelController, SavingWhilePickingDropsTheCommandBeingPicked) {
  StartWithSets({"A"}, {"1"});
  Click(kAddButton);
  ASSERT_EQ(Globals().workingSet.GetCommandCount(), 2);
  ExpectAlert("Commands you are editing will be discarded.");
  RunPanelCommand(Ctx(), kSaveButton);
  EXPECT_EQ(State().pickingState, PickingState::kIdle);
  EXPECT_EQ(Globals().workingSet.GetCommandCount(), 1);
  commands::CCommandSetList saved;
  ASSERT_TRUE(commands::LoadListFile(ListFilePath(), saved).read);
  ASSERT_EQ(saved.GetSetCount(), 1);
  EXPECT_EQ(saved.GetSet(0)->GetCommandCount(), 1);
}

TEST_F(PanelController, JapaneseMessagesAndQuestions) {
  Globals().commandSets.AddSet("A");
  const host::ArtRef square = SelectSquare(0.0, 0.0, 50.0);
  CreatePanelIn(text::Language::kJapanese);
  ASSERT_EQ(ToolSelected(Ctx()), kQvNoErr);
  EXPECT_EQ(Rows(kCommandList).at(0), "1  基本縫代" + std::string(18, ' ') + "0.0");

  ExpectQuestion("Aを削除してもよろしいですか？", false);
  Click(kRemoveSetButton);

  Doc().SetSelected(square, false);
  ExpectAlert("閉じたパスを1つ選択して下さい。");
  Click(kNewSetButton);
  EXPECT_TRUE(Ui().ShownDialogs().empty());
}

}  // namespace
}  // namespace quorvane::panel::testing
