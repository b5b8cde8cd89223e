#include "quorvane/commands/read_csv.h"

#include <gtest/gtest.h>

namespace quorvane::commands {
namespace {

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

struct CsvCase {
  const char* name;
  std::string bytes;
  Records records;
};

class ReadCsvTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(ReadCsvTest, SplitsRecordsAndFields) {
  EXPECT_EQ(Fields(CReadCSV::Read(GetParam().bytes)), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ReadCsvTest,
    ::testing::Values(
        CsvCase{"Empty", "", {}},
        CsvCase{"NoFinalLineFeed", "a,b\nc", {{"a", "b"}, {"c"}}},
        CsvCase{"FinalLineFeedGivesEmptyRecord", "a\n", {{"a"}, {""}}},
        CsvCase{"CarriageReturnsDropped", "a,\rb\r\n\r\n", {{"a", "b"}, {""}, {""}}},
        CsvCase{"LeadByteTakesComma", "x\x83,y,z", {{"x\x83,y", "z"}}},
        CsvCase{"LeadByteTakesLineFeed", "\x9F\nb\nc", {{"\x9F\nb"}, {"c"}}},
        CsvCase{"LeadByteKeepsItsTrailCarriageReturn", "\xE0\r,", {{"\xE0\r", ""}}},
        CsvCase{"LeadByteAtEnd", "ab\xFC", {{"ab\xFC"}}},
        CsvCase{"FFDroppedButKeptAsTrail", "a\xFF" "b,\x81\xFF", {{"ab", "\x81\xFF"}}},
        CsvCase{"HalfWidthKanaIsSingleByte", "\xB1,\xA0,\x80,\xFD", {{"\xB1", "\xA0", "\x80", "\xFD"}}},
        CsvCase{"NoQuoting", "\"a,b\"", {{"\"a", "b\""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadCsv, LongFieldKeepsItsFirst1023Bytes) {
  for (std::size_t length : {1022u, 1023u, 1024u, 5000u}) {
    const std::string field(length, 'x');
    const CRecordset set = CReadCSV::Read(field + ",y\n");
    ASSERT_EQ(set.GetRecordCount(), 2);
    EXPECT_EQ(set.GetRecord(0).GetField(0).size(), std::min<std::size_t>(length, 1023));
    EXPECT_EQ(set.GetRecord(0).GetField(1), "y");
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
