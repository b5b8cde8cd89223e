#include "quorvane/commands/art_set_tags.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "quorvane/commands/set_tags.h"
#include "workbench/document/document.h"
#include "support/bound_host.h"
#include "workbench/plugin/suite_support.h"

namespace quorvane::commands {
namespace {

namespace wb = workbench;

// The tags go through the real workbench document and its tag suite.
class ArtSetTagsTest : public ::testing::Test {
 protected:
  std::map<std::string, std::string> Tags() const { return doc_.Tags(artId_); }

  quorvane::testing::BoundHost bound_;
  wb::document::Document& doc_ = bound_.Document();
  host::HostDocument& document = bound_.Doc();
  wb::document::ArtId artId_ = doc_.NewPath(doc_.LayerGroup(doc_.CurrentLayer()), {}, true);
  host::ArtRef art_{wb::plugin::detail::ToQv(artId_)};
};

CCommandSet SetWithName(std::string name, int commands) {
  CCommandSet set(std::move(name));
  set.SetBasicWidth(10.0f);
  set.AppendReadLinePoint({2, 0.25f, 0});
  for (int i = 0; i < commands; ++i) {
    set.AppendReadCommand({CommandType::kCutOff, {std::to_string(i + 1), ""}, 1.5f, 1});
  }
  return set;
}

TEST_F(ArtSetTagsTest, StoredSetReplacesTheOldTagsAndReadsBack) {
  doc_.SetTag(artId_, "TREVASK_009", "beyond a gap: left alone");
  doc_.SetTag(artId_, "other", "kept");

  ASSERT_EQ(StoreSetOnArt(document, art_, SetWithName("前身頃", 40)), kQvNoErr);
  const std::size_t longTags = Tags().size();
  ASSERT_GE(longTags, 2u + 4u);  // at least four pieces besides the other two
  EXPECT_EQ(Tags().at("TREVASK_001").size(), kTagPieceBytes);
  CCommandSetList held;
  std::vector<Diagnostic> problems;
  ASSERT_EQ(AddArtHeldSet(held, document, art_, problems), 0);
  EXPECT_EQ(held.GetSet(0)->GetCommands(), SetWithName("", 40).GetCommands()) << "every piece read back whole";

  const CCommandSet shorter = SetWithName("前身頃", 1);
  ASSERT_EQ(StoreSetOnArt(document, art_, shorter), kQvNoErr);
  const std::map<std::string, std::string> tags = Tags();
  EXPECT_EQ(tags.size(), 3u);  // one piece, "other", the stray TREVASK_009
  EXPECT_EQ(tags.at("TREVASK_001").substr(0, 7), "#\x91\x4f\x90\x67\x8d\xa0");  // cp932 bytes

  CCommandSetList list;
  list.AddSet("Saved");
  EXPECT_EQ(AddArtHeldSet(list, document, art_, problems), 1);
  CCommandSet expected = shorter;
  expected.SetName("<前身頃>");
  EXPECT_EQ(*list.GetSet(1), expected);

  ASSERT_EQ(RemoveSetFromArt(document, art_), kQvNoErr);
  EXPECT_EQ(ReadSetTextFromArt(document, art_), std::nullopt);
  EXPECT_EQ(Tags().size(), 2u);
  EXPECT_EQ(AddArtHeldSet(list, document, art_, problems), std::nullopt);
  EXPECT_EQ(list.GetSetCount(), 1);
}

TEST_F(ArtSetTagsTest, SetThatCodePage932CannotHoldLeavesTheTagsAlone) {
  ASSERT_EQ(StoreSetOnArt(document, art_, SetWithName("Skirt", 0)), kQvNoErr);
  const auto before = Tags();
  std::string message;
  EXPECT_EQ(StoreSetOnArt(document, art_, SetWithName("Skirt 😀", 0), &message),
            kQvErrBadParameter);
  EXPECT_NE(message.find("Skirt 😀"), std::string::npos);
  EXPECT_EQ(Tags(), before);
}

}  // namespace
}  // namespace quorvane::commands
