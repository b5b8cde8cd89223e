// A set with every kind of command, applied by the driver to every real
// pattern piece: no piece may crash the run, and a run that fails must say
// which command failed with that command's own message.
#include <gtest/gtest.h>

#include <string>

#include "generation_test_support.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/text/messages.h"
#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::generation {
namespace {

using commands::CCommandSet;
using commands::CommandType;

// Anchor texts are taken modulo the piece's anchor count so that the set
// fits every piece of three anchors or more.
CCommandSet EveryKindOfCommand(int anchors) {
  auto anchor = [anchors](int k) { return std::to_string((k - 1) % anchors + 1); };
  CCommandSet set("every kind");
  set.SetBasicWidth(10.0f);
  auto add = [&set](CommandType type, const std::string& first, const std::string& second, float width) {
    const int i = set.AddCommand(type) - 1;
    set.SetCommandPoint(i, 0, first);
    if (!second.empty()) set.SetCommandPoint(i, 1, second);
    set.SetCommandWidth(i, width);
  };
  add(CommandType::kExtendedOneSide, anchor(1), anchor(2), 20.0f);
  add(CommandType::kRightAngleForward, anchor(2), "", 0.0f);
  add(CommandType::kRightAngleBackward, anchor(3), "", 0.0f);
  add(CommandType::kRevForward, anchor(4), "", 0.0f);
  add(CommandType::kRevBackward, anchor(5), "", 0.0f);
  add(CommandType::kExtendedCrossing, anchor(6), "", 0.0f);
  add(CommandType::kCutOff, anchor(7), "", 5.0f);
  add(CommandType::kFortyFiveBackward, anchor(8), anchor(9), 15.0f);
  add(CommandType::kFortyFiveForward, anchor(10), anchor(9), 15.0f);
  add(CommandType::kLapel, anchor(11), anchor(12), 0.0f);
  add(CommandType::kOpening, anchor(13), anchor(14), 15.0f);
  return set;
}

class AllCommandsOnCorpus : public testing::HostFixture {};

TEST_F(AllCommandsOnCorpus, EveryPieceGetsAnAllowanceOrTheFailedCommandsMessage) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  int pieces = 0;
  int finished = 0;
  for (const auto& file : testing::CorpusFiles()) {
    ASSERT_TRUE(OpenSvg(file));
    state_.pointsPerUnit = kPointsPerMillimetre;
    const std::vector<host::ArtRef> sources = ClosedPaths();
    for (host::ArtRef source : sources) {
      SCOPED_TRACE(file.filename().string() + " " + Doc().ArtName(source).value_or("?"));
      // The panel turns a source path clockwise before numbering its anchors.
      if (*Doc().SignedArea(source) < 0) Doc().Reverse(source);
      const CCommandSet set = EveryKindOfCommand(*Doc().SegmentCount(source));
      const std::size_t alertsBefore = Host().Prompts().Shown().size();
      state_.sourcePath = source;
      SeamAllowanceGenerator(Doc(), state_, set, {true, set.GetCommandCount() + 1, OptimizeChoice::kNone}, true);
      ++pieces;

      const auto& shown = Host().Prompts().Shown();
      if (state_.resultArt) {
        ++finished;
        EXPECT_EQ(shown.size(), alertsBefore);
        EXPECT_TRUE(Doc().IsClosed(state_.resultArt).value_or(false));
        EXPECT_GT(*Doc().SignedArea(state_.resultArt), *Doc().SignedArea(source));
        continue;
      }
      ASSERT_EQ(shown.size(), alertsBefore + 1);
      const std::string& text = shown.back().text;
      bool known = text == text::Text(text::Message::kBasicMarginFailed, text::Language::kEnglish);
      for (int i = 0; i < set.GetCommandCount() && !known; ++i) {
        known = text == CommandFailureText(set.GetCommandType(i), i + 2, text::Language::kEnglish);
      }
      EXPECT_TRUE(known) << text;
    }
  }
  EXPECT_GT(pieces, 100);
  // The anchors are picked blindly, so most pieces stop at a corner command
  // placed on a smooth joint or a corner it cannot shape; some take it all.
  EXPECT_GT(finished, 0);
  std::printf("%d of %d pieces took every command\n", finished, pieces);
}

}  // namespace
}  // namespace quorvane::generation
