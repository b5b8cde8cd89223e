// Picking the source path from the selection, with its alerts.
#include "quorvane/generation/source_selection.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {
namespace {

using testing::Square;
using workbench::plugin::PromptKind;

class SourceSelection : public testing::HostFixture {
 protected:
  void ExpectAlert(std::string_view text) { Host().Prompts().Script({PromptKind::kAlert, std::string(text)}); }
  std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (const auto& shown : Host().Prompts().Shown()) texts.push_back(shown.text);
    return texts;
  }
};

// One selected closed path becomes the source; none or several give their
// count, silently, and no source.
TEST_F(SourceSelection, OneClosedPathBecomesTheSourceNoneOrSeveralGiveTheirCount) {
  state_.sourcePath = AddPath(Square(0, 0, 100));
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  EXPECT_FALSE(state_.sourcePath);
  const host::ArtRef path = AddPath(Square(0, 0, 100));
  ASSERT_EQ(Doc().SetSelected(path, true), kQvNoErr);
  state_.sourcePath = AddPath(Square(200, 0, 10));
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 1);
  EXPECT_EQ(state_.sourcePath, path);
  for (double x : {200.0, 400.0}) ASSERT_EQ(Doc().SetSelected(AddPath(Square(x, 0, 50)), true), kQvNoErr);
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 3);
  EXPECT_FALSE(state_.sourcePath);
  EXPECT_TRUE(Host().Prompts().Shown().empty());
  EXPECT_EQ(NoSourceText(state_), "Please select a closed path.");
  state_.language = text::Language::kJapanese;
  EXPECT_EQ(NoSourceText(state_), "閉じたパスを1つ選択して下さい。");
}

// An open path, or a path on a work layer, is refused with its alert in the
// state's language (Korean speaks Japanese here). Work Layer 2 is known by
// its title, without a handle in the state, as in a document opened again.
TEST_F(SourceSelection, OpenPathsAndPathsOnTheWorkLayersAreRefused) {
  auto layer2 = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  // Work Layer 1 is locked by its lookup: unlock it to select a marker.
  auto layer1 = FindOrCreateLayer(Doc(), state_, kWorkLayer1Title);
  ASSERT_TRUE(layer1 && layer2);
  ASSERT_EQ(Doc().SetLayerEditable(*layer1, true), kQvNoErr);
  const struct {
    host::ArtRef art;
    const char* english;
    const char* japanese;
  } cases[] = {
      {AddPath(Square(0, 0, 100), false, *Doc().NthLayer(2)), "Please select a closed path.",
       "閉じていないパスが選択されています。"},
      {AddPath(Square(0, 0, 100), true, *layer2), "The path on work layer 2 is selected.",
       "ワークレイヤー２上のパスが選択されています。"},
      {AddPath(Square(0, 0, 5), true, *layer1), "The path on work layer 1 is selected.",
       "ワークレイヤー１上のパスが選択されています。"},
  };
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    ASSERT_EQ(SelectOnlyArt(Doc(), c.art), kQvNoErr);
    for (text::Language language : {text::Language::kEnglish, text::Language::kJapanese, text::Language::kKorean}) {
      state_.language = language;
      expected.push_back(language == text::Language::kEnglish ? c.english : c.japanese);
      ExpectAlert(expected.back());
      EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
      EXPECT_FALSE(state_.sourcePath);
    }
  }
  EXPECT_EQ(ShownTexts(), expected);
  EXPECT_EQ(Host().Prompts().RemainingScript(), 0u);
}

}  // namespace
}  // namespace quorvane::generation
