#include "workbench/cli/json_writer.h"

#include <gtest/gtest.h>

namespace workbench::cli {
namespace {

TEST(JsonWriter, NestsWithCommasAndEscapes) {
  JsonWriter w;
  w.BeginObject();
  w.Key("name");
  w.String("a\"b\\c\n\x01 \xe6\x97\xa5");
  w.Key("list");
  w.BeginArray();
  w.Int(1);
  w.Number(0.5);
  w.Bool(false);
  w.Null();
  w.BeginObject();
  w.EndObject();
  w.EndArray();
  w.Key("nan");
  w.Number(0.0 / 0.0 * 0.0 + std::numeric_limits<double>::infinity());
  w.EndObject();
  EXPECT_EQ(w.Text(),
            "{\"name\":\"a\\\"b\\\\c\\n\\u0001 \xe6\x97\xa5\",\"list\":[1,0.5,false,null,{}],\"nan\":null}");
}

}  // namespace
}  // namespace workbench::cli
