#include "quorvane/commands/set_tags.h"

#include <gtest/gtest.h>

#include <map>

#include "quorvane/commands/set_text.h"

namespace quorvane::commands {
namespace {

using Tags = std::map<std::string, std::string>;

Tags Store(std::string_view text) {
  Tags tags;
  int n = 0;
  for (std::string& piece : SplitSetTagText(text)) tags[SetTagName(++n)] = std::move(piece);
  return tags;
}

std::optional<std::string> Join(const Tags& tags) {
  return JoinSetTagText([&](const std::string& name) -> std::optional<std::string> {
    const auto it = tags.find(name);
    if (it == tags.end()) return std::nullopt;
    return it->second;
  });
}

TEST(SetTags, TextIsCutInto180BytePiecesAndOnlyTheFirst99AreReadBack) {
  using Sizes = std::vector<std::size_t>;
  for (const auto& [length, pieces] : {std::pair<std::size_t, Sizes>{0, {0}}, {179, {179}}, {180, {180, 0}},
                                       {181, {180, 1}}, {360, {180, 180, 0}}}) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('0' + i % 10);
    const Tags tags = Store(text);
    Sizes sizes;
    for (const auto& [name, value] : tags) sizes.push_back(value.size());
    EXPECT_EQ(sizes, pieces) << length;
    EXPECT_EQ(Join(tags), length == 0 ? std::nullopt : std::optional(text));
  }
  const std::string text(kMaxSetTags * kTagPieceBytes + 50, 'x');
  const Tags tags = Store(text);
  EXPECT_EQ(tags.size(), 100u);
  EXPECT_EQ(Join(tags), text.substr(0, 17820));
  EXPECT_EQ(SetTagName(7), "TREVASK_007");
  EXPECT_EQ(SetTagName(100), "TREVASK_100");
}

TEST(SetTags, ReadingStopsAtTheFirstMissingTagAndSkipsEmptyOnes) {
  EXPECT_EQ(Join({{"TREVASK_001", "ab"}, {"TREVASK_002", ""}, {"TREVASK_003", "c"},
                  {"TREVASK_005", "lost"}}),
            "abc");
  EXPECT_EQ(Join({{"TREVASK_002", "never read"}}), std::nullopt);
  EXPECT_EQ(Join({{"TREVASK_001", ""}}), std::nullopt);
}

TEST(SetTags, DoubleByteCharacterAcrossTheCutSurvives) {
  // "#" + 178 bytes puts the lead byte of "ス" (0x83 0x58) at offset 179.
  const std::string text = "#" + std::string(178, 'A') + "\x83\x58\n1.000000\n";
  const Tags tags = Store(text);
  EXPECT_EQ(tags.at("TREVASK_001").back(), '\x83');
  EXPECT_EQ(tags.at("TREVASK_002").front(), '\x58');
  std::vector<Diagnostic> problems;
  EXPECT_EQ(ArtHeldSetName(Join(tags).value(), problems), "<" + std::string(178, 'A') + "ス>");
  EXPECT_TRUE(problems.empty());
}

TEST(SetTags, AnArtHeldSetIsNamedByItsFirstLineInBrackets) {
  using Name = std::optional<std::string>;
  for (const auto& [text, name] :
       {std::pair<std::string, Name>{"#Skirt\n1\n", "<Skirt>"}, {"#<Skirt>\n", "<Skirt>"}, {"#Skirt\r\n", "<Skirt>"},
        {"#Skirt", std::nullopt}, {"Skirt\n", std::nullopt}, {"", std::nullopt},
        {"#" + std::string(250, 'n') + "\n", "<" + std::string(200, 'n') + ">"},
        // A double-byte character at byte 200 of the name is dropped whole.
        {"#" + std::string(199, 'n') + "\x83\x58\n", "<" + std::string(199, 'n') + ">"}}) {
    std::vector<Diagnostic> problems;
    EXPECT_EQ(ArtHeldSetName(text, problems), name) << text;
    EXPECT_TRUE(problems.empty());
  }
}

TEST(SetTags, ArtTextFieldsAreTrimmedAndMissingOnesReadAsEmpty) {
  CCommandSet set("<x>");
  std::vector<Diagnostic> problems;
  const std::string text =
      "junk\n#x\n 4.5 \n\n%\n 3 , 0.5 , 2 \n7\n*\n 9 , a ,b\n8,1,,2.0,1,extra\n" +
      std::string(1025, '1') + "\n0,1,,0,1\n";
  EXPECT_TRUE(ParseArtSetText(text, set, problems));
  EXPECT_EQ(set.GetBasicWidth(), 4.5f);
  EXPECT_EQ(set.GetLinePoints(), (std::vector<LinePoint>{{3, 0.5f, 2}, {7, 0.0f, 0}}));
  EXPECT_EQ(set.GetCommands(),
            (std::vector<Command>{{CommandType::kOpening, {"a", "b"}, 0.0f, 0},
                                  {CommandType::kCutOff, {"1", ""}, 2.0f, 1}}));
  EXPECT_EQ(problems.size(), 1u);  // the overlong line, which ends the set
  CCommandSet nothing("<y>");
  EXPECT_FALSE(ParseArtSetText("#y\n", nothing, problems));
}

}  // namespace
}  // namespace quorvane::commands
