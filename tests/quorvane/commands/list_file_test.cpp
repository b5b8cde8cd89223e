#include "quorvane/commands/list_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "quorvane/commands/read_csv.h"
#include "quorvane/commands/set_text.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/file_io.h"
#include "support/shared_data.h"

namespace quorvane::commands {
namespace {

namespace fs = std::filesystem;

fs::path Data(const char* name) { return testing::TestDataDir() / "commands" / name; }

std::string Bytes(const fs::path& path) { return text::ReadFileBytes(path).value_or("<missing>"); }

class ListFileTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir_); }

  CCommandSetList Load(const char* name) {
    CCommandSetList list;
    result_ = LoadListFile(Data(name), list);
    EXPECT_TRUE(result_.read) << name;
    return list;
  }

  fs::path dir_ = testing::FreshTempPath("quorvane-commands-");
  ListLoadResult result_;
};

TEST_F(ListFileTest, JapaneseFileReadsAndWritesBackByteForByte) {
  const CCommandSetList list = Load("japanese.txt");
  EXPECT_TRUE(result_.problems.empty());
  ASSERT_EQ(list.GetSetCount(), 2);
  EXPECT_EQ(list.GetSetName(0), "スカート前");
  EXPECT_EQ(list.GetSetName(1), "表ソ");  // 0x5C trail bytes are no backslashes
  const CCommandSet& skirt = *list.GetSet(0);
  EXPECT_EQ(skirt.GetBasicWidth(), 10.0f);
  EXPECT_EQ(skirt.GetLinePoints(), (std::vector<LinePoint>{{0, 0.25f, 0}, {3, 0.5f, 1}}));
  ASSERT_EQ(skirt.GetCommandCount(), 2);
  EXPECT_EQ(skirt.GetCommands()[0], (Command{CommandType::kOpening, {"a", "b"}, 15.0f, 2}));
  EXPECT_EQ(skirt.GetCommands()[1], (Command{CommandType::kCutOff, {"4", ""}, 1.5f, 1}));

  // Written with CR LF, as the Windows program wrote it; read the same.
  const fs::path saved = LocateListFile(dir_, ListFileAccess::kWrite);
  ASSERT_EQ(SaveListFile(saved, list), std::nullopt);
  EXPECT_EQ(Bytes(saved), Bytes(Data("japanese_crlf.txt")));
  EXPECT_EQ(Load("japanese_crlf.txt").Sets(), list.Sets());
}

TEST_F(ListFileTest, BytesThatAreNoCharacterOrHaveTwoCodesSaveBackAsRead) {
  // Lone 0x80, 0xA0 and 0xFD, and the NEC and IBM extension codes ED40,
  // 8790 and FA54, whose characters also have other codes.
  // (How their names show is the command line's "sets" tests'.)
  const CCommandSetList list = Load("kept_bytes.txt");
  ASSERT_EQ(list.GetSetCount(), 3);
  EXPECT_EQ(list.GetSet(0)->GetCommands().at(0).point[1], text::Cp932ToKeptText("\xA0" "b"));
  EXPECT_EQ(result_.problems.size(), 4u) << "two bad names and two bad points; the extension codes are no problem";
  fs::create_directories(dir_);
  const fs::path saved = dir_ / "Trevask-list.txt";
  ASSERT_EQ(SaveListFile(saved, list), std::nullopt);
  EXPECT_EQ(Bytes(saved), Bytes(Data("kept_bytes.txt")));

  // A name cut inside a character at the field limit keeps its lone lead byte.
  const std::string name = std::string(CReadCSV::kMaxFieldBytes - 2, 'n') + "\x93\xFA";
  CCommandSetList cut;
  std::vector<Diagnostic> problems;
  LoadListRecords(CReadCSV::Read("#" + name + "\r\n1.000000\r\n"), "mem", cut, problems);
  ASSERT_EQ(cut.GetSetCount(), 1);
  std::string text;
  ASSERT_EQ(ListFileText(cut, text), std::nullopt);
  EXPECT_EQ(text.substr(0, CReadCSV::kMaxFieldBytes + 2), "#" + name.substr(0, name.size() - 1) + "\r\n");
}

TEST_F(ListFileTest, LeadByteBeforeCommaTakesTheComma) {
  const CCommandSetList list = Load("lead_before_comma.txt");
  ASSERT_EQ(list.GetSetCount(), 2);
  // "Skirt" 0x81 "," "back" is one field; 0x81 0x2C is no character.
  EXPECT_EQ(text::DisplayText(list.GetSetName(0)), "Skirt\uFFFD,back");
  // The command's field shift makes it a 4-field record, which ends the set.
  EXPECT_EQ(list.GetSet(0)->GetCommandCount(), 0);
  EXPECT_EQ(list.GetSetName(1), "Plain");  // a plain comma cuts the name
  ASSERT_EQ(result_.problems.size(), 2u);
  EXPECT_EQ(result_.problems[0].line, 1);
  EXPECT_EQ(result_.problems[1].line, 5);
  EXPECT_NE(result_.problems[0].ToString().find("lead_before_comma.txt:1: "), std::string::npos);

  // The undecodable name is written back with the bytes it was read as.
  std::string text;
  ASSERT_EQ(ListFileText(list, text), std::nullopt);
  EXPECT_EQ(text.substr(0, 14), "#Skirt\x81,back\r\n");
}

// Damaged files: each set keeps what was read before its damage; the file
// name and line of every row left out are told.
TEST_F(ListFileTest, DamagedFilesKeepWhatWasReadAndNameTheLinesLeftOut) {
  struct Case {
    const char* file;
    std::vector<float> widths;
    std::vector<int> commands, problemLines;
  };
  for (const Case& c : {Case{"truncated.txt", {5.0f, 7.0f}, {0, 1}, {5, 13}},
                        // The line points' header taken as the width.
                        Case{"missing_width.txt", {0.0f}, {1}, {}},
                        // Type 14 with seven points comes only from a hand-edited file.
                        Case{"duplicate_names.txt", {1.0f, 2.0f}, {0, 0}, {10}}}) {
    const CCommandSetList list = Load(c.file);
    std::vector<float> widths;
    std::vector<int> commands, lines;
    for (const CCommandSet& set : list.Sets()) {
      widths.push_back(set.GetBasicWidth());
      commands.push_back(set.GetCommandCount());
    }
    for (const Diagnostic& d : result_.problems) {
      lines.push_back(d.line);
      EXPECT_NE(d.ToString().find(std::string(c.file) + ":" + std::to_string(d.line) + ": "), std::string::npos);
    }
    EXPECT_EQ(widths, c.widths) << c.file;
    EXPECT_EQ(commands, c.commands) << c.file;
    EXPECT_EQ(lines, c.problemLines) << c.file;
  }
}

TEST_F(ListFileTest, ArtHeldSetsAreNotSavedAndEmptySetsKeepNameAndWidth) {
  CCommandSetList list;
  list.AddSet("Empty").SetBasicWidth(-2.5f);
  list.AddSet("<From art>");
  std::string text;
  ASSERT_EQ(ListFileText(list, text), std::nullopt);
  EXPECT_EQ(text, "#Empty\r\n-2.500000\r\n%LinePoint-Num,t,index\r\n*Commands-type,point,haba,num\r\n");
  CCommandSetList back;
  std::vector<Diagnostic> problems;
  LoadListRecords(CReadCSV::Read(text), "mem", back, problems);
  ASSERT_EQ(back.GetSetCount(), 1);
  EXPECT_EQ(*back.GetSet(0), *list.GetSet(0));
}

TEST_F(ListFileTest, NameWithoutCodePage932FormIsRefusedAndNothingIsOverwritten) {
  EXPECT_EQ(CheckSetName("スカート, 後ろ"), std::optional<std::string>(
      "A command set name cannot contain a comma: the list file would cut the name there."));
  EXPECT_NE(CheckSetName("Skirt 😀"), std::nullopt);
  EXPECT_NE(CheckSetName("Skirt 😀", text::Language::kJapanese).value_or("").find("Skirt 😀"),
            std::string::npos);
  EXPECT_NE(CheckSetName("two\nlines"), std::nullopt);
  EXPECT_EQ(CheckSetName("表スカート"), std::nullopt);

  fs::create_directories(dir_);
  const fs::path file = dir_ / "Trevask-list.txt";
  fs::copy_file(Data("japanese.txt"), file);
  CCommandSetList list = Load("japanese.txt");
  list.GetSet(1)->SetName("Skirt 😀");
  const std::optional<std::string> error = SaveListFile(file, list);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("Skirt 😀"), std::string::npos);
  EXPECT_EQ(Bytes(file), Bytes(Data("japanese.txt")));
}

TEST_F(ListFileTest, LocatingCreatesThePrefsFolderAndFallsBackForReading) {
  const fs::path prefs = dir_ / "Prefs";
  const fs::path fallback = dir_ / "fallback";
  EXPECT_EQ(LocateListFile(prefs, ListFileAccess::kRead, fallback), fallback / kListFileName);
  EXPECT_TRUE(fs::is_directory(prefs));
  EXPECT_EQ(LocateListFile(prefs, ListFileAccess::kWrite, fallback), prefs / kListFileName);
  std::ofstream(prefs / kListFileName) << "";
  EXPECT_EQ(LocateListFile(prefs, ListFileAccess::kRead, fallback), prefs / kListFileName);
}

TEST(SetText, LeadingNumbersAreReadLikeTheOldFiles) {
  for (const auto& [field, value] : {std::pair<std::string, float>{"12", 12}, {"  -3", -3}, {"+4", 4}, {"7abc", 7},
                                     {"%LinePoint", 0}, {"", 0}, {"+-5", 0}, {"-0", 0}}) {
    EXPECT_EQ(ParseLeadingFloat(field), value) << field;
    EXPECT_EQ(ParseLeadingInt(field), static_cast<std::int32_t>(value)) << field;
  }
}

// The reader of the list file's records.
using Records = std::vector<std::vector<std::string>>;

Records Fields(const CRecordset& set) {
  Records out;
  for (int r = 0; r < set.GetRecordCount(); ++r) {
    auto& fields = out.emplace_back();
    for (int f = 0; f < set.GetRecord(r).GetFieldCount(); ++f) {
      fields.emplace_back(set.GetRecord(r).GetField(f));
    }
  }
  return out;
}

// Code page 932 lead bytes take the next byte whatever it is; there is no
// quoting.
TEST(ReadCsv, SplitsRecordsAndFieldsByteByByte) {
  for (const auto& [bytes, records] : std::initializer_list<std::pair<std::string, Records>>{
           {"", {}},
           {"a,b\nc", {{"a", "b"}, {"c"}}},                        // no final line feed
           {"a\n", {{"a"}, {""}}},                                  // a final one gives an empty record
           {"a,\rb\r\n\r\n", {{"a", "b"}, {""}, {""}}},           // carriage returns dropped
           {"x\x83,y,z", {{"x\x83,y", "z"}}},                       // a lead byte takes a comma
           {"\x9F\nb\nc", {{"\x9F\nb"}, {"c"}}},                    // or a line feed
           {"\xE0\r,", {{"\xE0\r", ""}}},                           // or a carriage return, kept
           {"ab\xFC", {{"ab\xFC"}}},                                // a lead byte at the end
           {"a\xFF" "b,\x81\xFF", {{"ab", "\x81\xFF"}}},            // FF dropped, but kept as a trail
           {"\xB1,\xA0,\x80,\xFD", {{"\xB1", "\xA0", "\x80", "\xFD"}}},  // half-width kana: single bytes
           {"\"a,b\"", {{"\"a", "b\""}}}}) {
    EXPECT_EQ(Fields(CReadCSV::Read(bytes)), records) << bytes;
  }
}

TEST(ReadCsv, RecordsKnowTheirFileLine) {
  const CRecordset set = CReadCSV::Read("a\n\x83\nb\nc\r\nd");
  ASSERT_EQ(set.GetRecordCount(), 4);
  EXPECT_EQ(set.GetRecord(1).GetLine(), 2);
  EXPECT_EQ(set.GetRecord(2).GetLine(), 4);  // the swallowed line feed still counts
  EXPECT_EQ(set.GetRecord(3).GetLine(), 5);
  EXPECT_EQ(set.GetRecord(3).GetField(1), "");
}

}  // namespace
}  // namespace quorvane::commands
