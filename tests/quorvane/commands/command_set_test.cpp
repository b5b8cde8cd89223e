#include "quorvane/commands/command_set.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <type_traits>

#include "quorvane/commands/command_set_list.h"

namespace quorvane::commands {
namespace {

// The sets live in a globals block that outlives one load of the module.
static_assert(!std::is_polymorphic_v<CCommandSet>);
static_assert(!std::is_polymorphic_v<CCommandSetList>);

Command MakeCommand(CommandType type, std::string first, std::string second, float width) {
  Command c;
  c.type = type;
  c.point = {std::move(first), std::move(second)};
  c.haba = width;
  c.num = c.point[1].empty() ? (c.point[0].empty() ? 0 : 1) : 2;
  return c;
}

TEST(CommandSet, PointTextsNameAnAnchorOrALinePointOrNothing) {
  CCommandSet set("s");
  set.AppendReadLinePoint({3, 0.25f, 0});   // a
  set.AppendReadLinePoint({9, 0.75f, 51});  // Z
  using Kind = ResolvedPoint::Kind;
  for (const auto& [text, kind, segment, t] : {std::tuple{"1", Kind::kAnchor, 1, 0.0f}, {"17", Kind::kAnchor, 17, 0.0f},
                                               {"a", Kind::kLinePoint, 3, 0.25f}, {"Z", Kind::kLinePoint, 9, 0.75f}}) {
    const std::optional<ResolvedPoint> point = set.ResolvePoint(text);
    ASSERT_TRUE(point) << text;
    EXPECT_TRUE(point->kind == kind && point->segment == segment && point->t == t) << text;
  }
  for (const char* text : {"b", "1a", "", "007", "+7", " 7"}) EXPECT_FALSE(set.ResolvePoint(text)) << text;
}

using CT = CommandType;
using CC = CommandCheck;

TEST(CommandSet, ValidationReportsTheFirstFailingRule) {
  for (const auto& [type, first, second, width, expected] :
       {std::tuple{CT::kRevForward, "", "", 0.0f, CC::kPointMissing}, {CT::kRevForward, "1", "2", 3.0f, CC::kWidthNotAllowed},
        {CT::kRightAngleBackward, "1", "2", 0.0f, CC::kTooManyPoints}, {CT::kExtendedCrossing, "a", "", 0.0f, CC::kValid},
        {CT::kFortyFiveBackward, "1", "", 2.0f, CC::kPointMissing}, {CT::kFortyFiveForward, "1", "2", 0.0f, CC::kWidthRequired},
        {CT::kFortyFiveForward, "1", "2", -1.0f, CC::kWidthRequired}, {CT::kExtendedOneSide, "1", "2", -1.0f, CC::kValid},
        {CT::kOpening, "a", "b", 0.0f, CC::kWidthRequired}, {CT::kLapel, "1", "2", 1.0f, CC::kWidthNotAllowed},
        {CT::kLapel, "1", "", 0.0f, CC::kPointMissing}, {CT::kCutOff, "1", "2", 1.0f, CC::kTooManyPoints},
        {CT::kCutOff, "1", "", 0.0f, CC::kWidthRequired}, {CT::kCutOff, "1", "", 1.5f, CC::kValid}}) {
    EXPECT_EQ(CCommandSet::ValidateCommand(MakeCommand(type, first, second, width)), expected)
        << static_cast<int>(type) << " " << first << "," << second << " " << width;
  }
}

TEST(CommandSet, MovingOneCommandKeepsTheOthersInOrder) {
  // From, to, and the original positions in their new order.
  for (const auto& [from, to, order] :
       {std::tuple{2, 99, std::vector<int>{0, 1, 3, 4, 2}}, {0, -5, {0, 1, 2, 3, 4}}, {3, 1, {0, 3, 1, 2, 4}},
        {1, 2, {0, 2, 1, 3, 4}}, {4, -1, {4, 0, 1, 2, 3}}, {5, 0, {0, 1, 2, 3, 4}}, {-1, 3, {0, 1, 2, 3, 4}}}) {
    CCommandSet set("s");
    for (int i = 0; i < 5; ++i) set.AppendReadCommand(MakeCommand(CT::kCutOff, "1", "", float(i)));
    set.MoveCommand(from, to);
    std::vector<int> now;
    for (const Command& c : set.GetCommands()) now.push_back(static_cast<int>(c.haba));
    EXPECT_EQ(now, order) << from << " to " << to;
  }
}

TEST(CommandSet, FreedLabelIsReusedFirstAndFullPoolRefuses) {
  CCommandSet set("s");
  EXPECT_EQ(set.AddLinePoint(1, 0.1f), 'a');
  EXPECT_EQ(set.AddLinePoint(2, 0.2f), 'b');
  EXPECT_EQ(set.AddLinePoint(3, 0.3f), 'c');
  set.RemoveLinePoint("b");
  EXPECT_EQ(set.AddLinePoint(4, 0.4f), 'b');
  while (set.GetLinePoints().size() < static_cast<std::size_t>(kMaxLinePoints)) {
    ASSERT_NE(set.AddLinePoint(5, 0.5f), 0);
  }
  EXPECT_EQ(set.GetLinePoints().back().index, 51);
  EXPECT_EQ(set.AddLinePoint(6, 0.6f), 0);
  EXPECT_EQ(set.GetLinePoints().size(), static_cast<std::size_t>(kMaxLinePoints));
}

TEST(CommandSet, RemovingACommandRemovesExactlyItsOwnLinePoints) {
  CCommandSet set("s");
  const char a = set.AddLinePoint(1, 0.5f);
  const char b = set.AddLinePoint(2, 0.5f);
  const char unused = set.AddLinePoint(3, 0.5f);
  set.AddCommand(CT::kOpening);
  set.SetCommandPoint(0, 0, std::string(1, a));
  set.SetCommandPoint(0, 1, "4");
  set.AddCommand(CT::kCutOff);
  set.SetCommandPoint(1, 0, std::string(1, b));
  EXPECT_EQ(set.RemoveCommand(0), 1);
  std::set<int> left;
  for (const LinePoint& p : set.GetLinePoints()) left.insert(p.index);
  EXPECT_EQ(left, (std::set<int>{b - 'a', unused - 'a'}));
}

TEST(CommandSet, ClearedPointsReturnTheirLabelsAndWidthsWaitForThePoints) {
  CCommandSet set("s");
  set.AddCommand(CT::kLapel);
  set.SetCommandPoint(0, 1, std::string(1, set.AddLinePoint(2, 0.5f)));
  std::string first, second;
  EXPECT_EQ(set.GetCommandPoints(0, first, second), 2);  // slot 1 set, slot 0 still empty
  set.SetCommandPoint(0, 2, "3");                       // no third slot
  set.SetCommandPoint(0, 0, std::nullopt);
  EXPECT_EQ(set.GetCommandPoints(0, first, second), 0);
  EXPECT_TRUE(set.GetLinePoints().empty());

  set.AddCommand(CT::kCutOff);
  EXPECT_EQ(set.SetCommandWidth(1, 0.0f), CC::kPointMissing);  // points may come later
  set.SetCommandPoint(1, 0, "3");
  EXPECT_EQ(set.SetCommandWidth(1, 2.5f), CC::kValid);
  EXPECT_EQ(set.SetCommandWidth(1, 0.0f), CC::kWidthRequired);
  EXPECT_EQ(set.GetCommandWidth(1), 2.5f);
}

// Any sequence of edits, including bad indices and slots, keeps labels unique
// and num within 0..2.
TEST(CommandSet, RandomEditsKeepTheSetConsistent) {
  std::mt19937 random(12345);
  CCommandSet set("s");
  for (int step = 0; step < 5000; ++step) {
    const int count = set.GetCommandCount();
    const int i = static_cast<int>(random() % (count + 2)) - 1;  // -1..count
    switch (random() % 6) {
      case 0: set.AddCommand(static_cast<CT>(random() % 11)); break;
      case 1: set.RemoveCommand(i); break;
      case 2: set.MoveCommand(i, static_cast<int>(random() % 8) - 2); break;
      case 3: set.SetCommandPoint(i, static_cast<int>(random() % 3), std::nullopt); break;
      case 4: {
        const char label = set.AddLinePoint(1 + static_cast<int>(random() % 9), 0.5f);
        if (label != 0) set.SetCommandPoint(i, static_cast<int>(random() % 2), std::string(1, label));
        break;
      }
      default: set.SetCommandPoint(i, static_cast<int>(random() % 2), std::to_string(random() % 9 + 1));
    }
    std::set<int> labels;
    for (const LinePoint& p : set.GetLinePoints()) {
      ASSERT_TRUE(labels.insert(p.index).second) << "step " << step;
      ASSERT_GE(p.index, 0);
      ASSERT_LT(p.index, kMaxLinePoints);
    }
    for (const Command& c : set.GetCommands()) {
      ASSERT_GE(c.num, 0);
      ASSERT_LE(c.num, 2);
    }
  }
}

TEST(CommandSetList, PositionsNamesAndDuplicates) {
  CCommandSetList list;
  CCommandSet& first = list.AddSet("Same");
  list.AddSet("Other");
  list.AddSet("Same").SetBasicWidth(2.0f);
  EXPECT_EQ(list.GetSetCount(), 3);
  EXPECT_EQ(list.FindSet("Same"), &first);
  EXPECT_EQ(list.FindSet("Nope"), nullptr);
  EXPECT_EQ(list.GetSetName(1), "Other");
  EXPECT_EQ(list.GetSetName(3), "");
  EXPECT_EQ(list.GetSet(-1), nullptr);
  EXPECT_EQ(list.RemoveSet(3), -1);
  EXPECT_EQ(list.RemoveSet(1), 2);
  EXPECT_EQ(list.GetSet(0), &first);  // still at the same address
  EXPECT_EQ(list.GetSet(1)->GetBasicWidth(), 2.0f);
  list.ClearSets();
  EXPECT_EQ(list.GetSetCount(), 0);
  EXPECT_EQ(list.GetSet(0), nullptr);
}

}  // namespace
}  // namespace quorvane::commands
