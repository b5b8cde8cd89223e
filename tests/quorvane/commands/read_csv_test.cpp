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
