// Picking the source path from the selection, with its alerts.
#include "quorvane/generation/source_selection.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"
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

TEST_F(SourceSelection, OneClosedPathBecomesTheSource) {
  const host::ArtRef path = AddPath(Square(0, 0, 100));
  ASSERT_EQ(Doc().SetSelected(path, true), kQvNoErr);
  state_.sourcePath = AddPath(Square(200, 0, 10));
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 1);
  EXPECT_EQ(state_.sourcePath, path);
  EXPECT_TRUE(Host().Prompts().Shown().empty());
}

TEST_F(SourceSelection, NoneOrSeveralGiveTheirCountSilently) {
  state_.sourcePath = AddPath(Square(0, 0, 100));
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  EXPECT_FALSE(state_.sourcePath);
  for (double x : {0.0, 200.0, 400.0}) ASSERT_EQ(Doc().SetSelected(AddPath(Square(x, 0, 50)), true), kQvNoErr);
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 3);
  EXPECT_FALSE(state_.sourcePath);
  EXPECT_TRUE(Host().Prompts().Shown().empty());
  EXPECT_EQ(NoSourceText(state_), "Please select a closed path.");
  state_.language = text::Language::kJapanese;
  EXPECT_EQ(NoSourceText(state_), "閉じたパスを1つ選択して下さい。");
}

TEST_F(SourceSelection, OpenPathIsRefusedInEitherLanguage) {
  const host::ArtRef open = AddPath(Square(0, 0, 100), false);
  ASSERT_EQ(Doc().SetSelected(open, true), kQvNoErr);
  ExpectAlert("Please select a closed path.");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  state_.language = text::Language::kKorean;
  ExpectAlert("閉じていないパスが選択されています。");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  EXPECT_FALSE(state_.sourcePath);
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"Please select a closed path.", "閉じていないパスが選択されています。"}));
  EXPECT_EQ(Host().Prompts().RemainingScript(), 0u);
}

TEST_F(SourceSelection, PathsOnTheWorkLayersAreRefused) {
  auto layer2 = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  ASSERT_TRUE(layer2);
  state_.workLayer2 = *layer2;
  const host::ArtRef preview = AddPath(Square(0, 0, 100), true, *layer2);
  ASSERT_EQ(Doc().SetSelected(preview, true), kQvNoErr);
  ExpectAlert("The path on work layer 2 is selected.");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  state_.language = text::Language::kJapanese;
  ExpectAlert("ワークレイヤー２上のパスが選択されています。");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);

  // Work Layer 1 is locked by its lookup: unlock it to select a marker.
  auto layer1 = FindOrCreateLayer(Doc(), state_, kWorkLayer1Title);
  ASSERT_TRUE(layer1);
  ASSERT_EQ(Doc().SetLayerEditable(*layer1, true), kQvNoErr);
  const host::ArtRef marker = AddPath(Square(0, 0, 5), true, *layer1);
  ASSERT_EQ(Doc().SetSelected(preview, false), kQvNoErr);
  ASSERT_EQ(Doc().SetSelected(marker, true), kQvNoErr);
  ExpectAlert("ワークレイヤー１上のパスが選択されています。");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  state_.language = text::Language::kEnglish;
  ExpectAlert("The path on work layer 1 is selected.");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
  EXPECT_FALSE(state_.sourcePath);
  EXPECT_EQ(Host().Prompts().RemainingScript(), 0u);
  EXPECT_EQ(Host().Prompts().Shown().size(), 4u);
}

TEST_F(SourceSelection, WorkLayersAreKnownByTitleWithoutHandles) {
  // A document saved with its work layers and opened again.
  auto layer = Doc().InsertLayer({});
  ASSERT_TRUE(layer);
  ASSERT_EQ(Doc().SetLayerTitle(*layer, kWorkLayer2Title), kQvNoErr);
  const host::ArtRef preview = AddPath(Square(0, 0, 100), true, *layer);
  ASSERT_EQ(Doc().SetSelected(preview, true), kQvNoErr);
  ExpectAlert("The path on work layer 2 is selected.");
  EXPECT_EQ(CheckSourceSelection(Doc(), state_), 0);
}

}  // namespace
}  // namespace quorvane::generation
