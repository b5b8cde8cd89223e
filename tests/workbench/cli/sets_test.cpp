// `quorvane sets` read back: the JSON parsed by an independent reader, the
// rows as the panel writes them in both languages, and a name from a code
// page 932 list file.
#include <gtest/gtest.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <sstream>

#include "cli_test_support.h"
#include "support/shared_data.h"

namespace workbench::cli::testing {
namespace {

namespace pt = boost::property_tree;

struct Listed {
  std::string name;
  std::vector<std::string> rows;
};

std::vector<Listed> ParseSets(const std::string& json) {
  pt::ptree tree;
  std::istringstream in(json);
  pt::read_json(in, tree);
  std::vector<Listed> sets;
  for (const auto& [key, set] : tree.get_child("sets")) {
    Listed listed{set.get<std::string>("name"), {}};
    for (const auto& [unused, row] : set.get_child("rows")) listed.rows.push_back(row.get<std::string>("text"));
    sets.push_back(std::move(listed));
  }
  return sets;
}

// The rows as the panel writes them and as fields in the settings' unit, in
// both languages.
TEST(SetsCli, JsonGivesEverySetWithThePanelsRowsAndTheirFields) {
  for (const std::string language : {"en", "ja"}) {
    const Ran ran = RunQuorvane({"sets", "--list", EveryKindList(), "--json", "--unit", "cm", "--language", language});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::vector<Listed> sets = ParseSets(ran.out);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].name, "Every kind");
    EXPECT_EQ(sets[1].name, "Basic 10 mm");
    ASSERT_EQ(sets[0].rows.size(), 12u) << "the basic row and eleven commands";
    ASSERT_EQ(sets[1].rows.size(), 1u);
    if (language == "en") {
      EXPECT_EQ(sets[0].rows[0].rfind("1  Basic seam-margin", 0), 0u) << sets[0].rows[0];
      EXPECT_EQ(sets[0].rows[1], "2  Extended one-side  13,15  30.0");
      EXPECT_EQ(sets[0].rows[10], "11 Extended crossing  10     ");
      EXPECT_EQ(sets[0].rows[11], "12 Cut off            11     5.0");
    } else {
      EXPECT_NE(sets[0].rows[1].find("\xE7\x89\x87\xE5\x81\xB4\xE5\xBB\xB6\xE9\x95\xB7"), std::string::npos)  // 片側延長
          << sets[0].rows[1];
    }
    pt::ptree tree;
    std::istringstream in(ran.out);
    pt::read_json(in, tree);
    EXPECT_EQ(tree.get<std::string>("unit"), "cm");
    std::vector<const pt::ptree*> row;
    for (const auto& [unused, r] : tree.get_child("sets").front().second.get_child("rows")) row.push_back(&r);
    // The basic margin, Extended one-side 13,15 at 30, Lapel 1,a, Cut off 11 at 5.
    EXPECT_EQ(row[0]->get<std::string>("type"), "null");
    EXPECT_EQ(row[0]->get<std::string>("typeName"), "Basic seam-margin");
    EXPECT_EQ(row[0]->get<double>("width"), 10.0);
    EXPECT_EQ(row[1]->get<int>("number"), 2);
    EXPECT_EQ(row[1]->get<int>("type"), 6);
    EXPECT_EQ(row[1]->get<std::string>("typeName"), "Extended one-side");
    std::vector<std::string> points;
    for (const auto& [unused, p] : row[1]->get_child("points")) points.push_back(p.data());
    EXPECT_EQ(points, (std::vector<std::string>{"13", "15"}));
    EXPECT_EQ(row[1]->get<double>("width"), 30.0);
    EXPECT_EQ(row[1]->get<std::string>("unit"), "cm");
    EXPECT_EQ(row[4]->get<int>("type"), 7);
    EXPECT_EQ(row[4]->get<std::string>("width"), "null");
    EXPECT_EQ(row[4]->get_child("points").back().second.data(), "a");
    EXPECT_EQ(row[11]->get<int>("type"), 8);
    EXPECT_EQ(row[11]->get<double>("width"), 5.0);
  }
  const Ran text = RunQuorvane({"sets", "--list", EveryKindList(), "--unit", "in"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.rfind("widths in in, the unit of the settings\n", 0), 0u) << text.out;
}

// (Names of a code page 932 list, bytes kept as they were included, are the
// list reader's tests'; here one comes out as UTF-8.)
TEST(SetsCli, AnotherListNeverReplacesTheListOfTheNamedPreferencesFolder) {
  TempDir prefs;
  const std::string own = "#Own\r\n1.000000\r\n%LinePoint-Num,t,index\r\n*Commands-type,point,haba,num\r\n";
  Spill(prefs / "Trevask-list.txt", own);
  const auto other = quorvane::testing::TestDataDir() / "commands" / "japanese.txt";
  const Ran ran = RunQuorvane({"sets", "--prefs", prefs.Path().string(), "--list", other.string(), "--json"});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const std::vector<Listed> sets = ParseSets(ran.out);
  ASSERT_EQ(sets.size(), 2u) << "the sets of the list named";
  EXPECT_EQ(sets[1].name, "\xE8\xA1\xA8\xE3\x82\xBD");  // 表ソ
  EXPECT_EQ(Slurp(prefs / "Trevask-list.txt"), own);

  // Without --list the folder's own list is the one read.
  const Ran plain = RunQuorvane({"sets", "--prefs", prefs.Path().string(), "--json"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(ParseSets(plain.out).size(), 1u);
  EXPECT_EQ(ParseSets(plain.out)[0].name, "Own");
}

// A row the module's reader leaves out is told on standard error with the
// list file the user named and its line, not the run's private copy.
TEST(SetsCli, RowsLeftOutAreNamedWithTheUsersListFileAndLine) {
  TempDir dir;
  const auto list = dir / "hand-written.txt";
  Spill(list, "#S\r\n10.000000\r\n*Commands-type,point,haba,num\r\n12,1,,0.000000,1\r\n8,2,,5.000000,1\r\n");
  const Ran ran = RunQuorvane({"sets", "--list", list.string(), "--json"});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(ran.err.find(list.string() + ":4: unknown command type 12"), std::string::npos) << ran.err;
  EXPECT_EQ(ran.err.find("Trevask-list.txt"), std::string::npos) << ran.err;
  ASSERT_EQ(ParseSets(ran.out).size(), 1u);
  EXPECT_EQ(ParseSets(ran.out)[0].rows.size(), 2u) << "the basic row and the cut off";
}

}  // namespace
}  // namespace workbench::cli::testing
