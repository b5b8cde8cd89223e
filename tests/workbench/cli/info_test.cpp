// `quorvane info` against an independent reading of the real pattern pieces:
// the test reads each finish line's path data itself (the pieces use only
// absolute M, L, C and Z), counts anchors and takes the shoelace area of
// straight-sided pieces.
#include "workbench/cli/info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/shared_data.h"

namespace workbench::cli {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Expected {
  std::string id;
  int anchors = 0;
  bool straight = true;
  double shoelaceSvg = 0;  // user units squared, y down
};

Expected ReadSeam(const std::string& id, const std::string& d) {
  Expected e;
  e.id = id;
  std::istringstream in(d);
  std::vector<std::pair<double, double>> pts;
  std::string tok;
  char cmd = 0;
  bool closed = false;
  while (in >> tok) {
    if (std::isalpha(static_cast<unsigned char>(tok[0]))) {
      cmd = tok[0];
      if (cmd == 'Z') closed = true;
      continue;
    }
    const int pairs = cmd == 'C' ? 3 : 1;
    double x = std::stod(tok), y = 0;
    in >> y;
    for (int k = 1; k < pairs; ++k) in >> x >> y;
    if (cmd == 'C') e.straight = false;
    pts.emplace_back(x, y);
  }
  if (closed && pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
  e.anchors = static_cast<int>(pts.size());
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const auto& a = pts[i];
    const auto& b = pts[(i + 1) % pts.size()];
    e.shoelaceSvg += 0.5 * (a.first * b.second - b.first * a.second);
  }
  return e;
}

double Field(const std::string& json, std::size_t from, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\":", from);
  EXPECT_NE(at, std::string::npos) << key;
  return std::stod(json.substr(at + key.size() + 3));
}

TEST(InfoJson, AgreesWithAnIndependentReadingOfRealPieces) {
  const auto shared = quorvane::testing::SharedDir();
  if (!shared) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  const std::regex seam(R"RE(<path id="([^"]+-seam)"[^>]*?\sd="([^"]+)")RE");
  const std::regex frame(R"RE(width="([0-9.]+)mm" height="([0-9.]+)mm" viewBox="0 0 ([0-9.]+) ([0-9.]+)")RE");
  int checked = 0;
  int polygons = 0;
  for (const auto& entry : std::filesystem::directory_iterator(*shared / "corpus" / "freesewing")) {
    const std::string name = entry.path().filename().string();
    if (name.find("-freesewing-sa") != std::string::npos) continue;
    const std::string text = Slurp(entry.path());
    std::smatch f;
    ASSERT_TRUE(std::regex_search(text, f, frame)) << name;
    const double sx = std::stod(f[1]) * 72 / 25.4 / std::stod(f[3]);
    const double sy = std::stod(f[2]) * 72 / 25.4 / std::stod(f[4]);
    std::ostringstream out, err;
    ASSERT_EQ(RunInfo(entry.path().string(), true, out, err), 0) << err.str();
    const std::string json = out.str();
    for (auto it = std::sregex_iterator(text.begin(), text.end(), seam); it != std::sregex_iterator(); ++it) {
      const Expected e = ReadSeam((*it)[1], (*it)[2]);
      const std::size_t at = json.find("\"id\":\"" + e.id + "\"");
      ASSERT_NE(at, std::string::npos) << name << " " << e.id;
      EXPECT_EQ(Field(json, at, "anchors"), e.anchors) << name << " " << e.id;
      const double area = Field(json, at, "area");
      if (e.straight) {
        // Visually clockwise on the page (positive shoelace with y down) is
        // clockwise with y up: positive.
        EXPECT_NEAR(area, e.shoelaceSvg * sx * sy, 1e-6 * std::abs(e.shoelaceSvg)) << name << " " << e.id;
        ++polygons;
      } else {
        EXPECT_GT(area * e.shoelaceSvg, 0.0) << "same orientation " << name << " " << e.id;
      }
      ++checked;
    }
  }
  EXPECT_EQ(checked, 124);
  EXPECT_GT(polygons, 0);
}

TEST(Info, BadInputExitsTwoNamingFileAndLine) {
  const auto file = quorvane::testing::TestDataDir() / "svg" / "bad_path_data.svg";
  std::ostringstream out, err;
  EXPECT_EQ(RunInfo(file.string(), false, out, err), 2);
  EXPECT_NE(err.str().find(file.string() + ":4:"), std::string::npos) << err.str();
  EXPECT_TRUE(out.str().empty());
}

TEST(Info, TextReportListsLayersAndPaths) {
  const auto file = quorvane::testing::TestDataDir() / "svg" / "shapes.svg";
  std::ostringstream out, err;
  ASSERT_EQ(RunInfo(file.string(), false, out, err), 0) << err.str();
  const std::string text = out.str();
  EXPECT_NE(text.find("layer \"Locked hidden\" locked hidden"), std::string::npos) << text;
  EXPECT_NE(text.find("path box closed, 4 anchors"), std::string::npos) << text;
  EXPECT_NE(text.find("path holes closed, 8 anchors in 2 subpaths"), std::string::npos) << text;
}

}  // namespace
}  // namespace workbench::cli
