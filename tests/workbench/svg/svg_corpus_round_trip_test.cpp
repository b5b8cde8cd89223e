// Every real pattern file comes back from opening and saving as it went in,
// and a changed style keeps its weight against a style sheet in the picture
// rsvg-convert draws.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"

namespace workbench::svg {
namespace {

namespace fs = std::filesystem;
using document::Document;

// The picture rsvg-convert draws of a file, half size to keep the test
// quick; none when it cannot draw it.
std::optional<QImage> Render(const fs::path& svg, const fs::path& png) {
  const std::string command =
      "rsvg-convert --zoom 0.5 -o '" + png.string() + "' '" + svg.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  QImage image(QString::fromStdString(png.string()));
  if (image.isNull()) return std::nullopt;
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The number of pixels that differ; -1 when the sizes differ.
long DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  long count = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) count += ra[x] != rb[x];
  }
  return count;
}

std::vector<fs::path> SvgFilesUnder(const fs::path& dir) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->path().extension() == ".svg") out.push_back(it->path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Read and saved unchanged, every file is written back byte for byte: the
// same markup and so the same picture. Where it is not, the first place
// that differs is shown.
TEST(SvgCorpusRoundTrip, EveryFileComesBackByteForByte) {
  const auto shared = quorvane::testing::SharedDir();
  if (!shared) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  std::vector<fs::path> files = SvgFilesUnder(*shared / "corpus");
  const auto peers = SvgFilesUnder(*shared / "peer-data");
  files.insert(files.end(), peers.begin(), peers.end());
  ASSERT_GE(files.size(), 48u + 94u) << "the corpus holds 48 FreeSewing files and the peers 94";
  for (const fs::path& file : files) {
    auto read = ReadSvgFile(file);
    ASSERT_TRUE(read) << read.error().ToString();
    std::ifstream in(file, std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(in), {}};
    const std::string written = WriteSvgString(read.value());
    const auto at = std::mismatch(original.begin(), original.end(), written.begin(), written.end()).first;
    const std::size_t from = static_cast<std::size_t>(at - original.begin());
    EXPECT_EQ(written, original) << file << " differs from byte " << from << ": \""
                                 << original.substr(from, 80) << "\" became \"" << written.substr(from, 80) << "\"";
  }
}

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// A black dashed line whose class rule says red: a changed stroke width
// must land in its style attribute, or the rule wins and the saved line
// is drawn red and thin.
TEST(SvgCascade, ChangedStyleKeepsItsWeightAgainstStyleSheets) {
  if (!HaveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (Debian's librsvg2-bin) is not installed";
  const std::string head =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60\" height=\"40\" viewBox=\"0 0 60 40\">"
      "<style>.cut { stroke: #ff0000; stroke-width: 1 }</style>"
      "<rect width=\"60\" height=\"40\" fill=\"#ffffff\"/>";
  const std::string line = " class=\"cut\" d=\"M 5,20 L 55,20\"/></svg>";
  auto read = ReadSvgString(head + "<path style=\"fill:none;stroke:#000000;stroke-dasharray:6,3\"" + line, "in.svg");
  ASSERT_TRUE(read) << read.error().ToString();
  Document& doc = read.value();
  const document::ArtId path = doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(0))).at(0);
  auto style = *doc.GetPathStyle(path);
  style.stroke.width = 4.0;  // points, one a user unit here
  doc.SetPathStyle(path, style);

  const fs::path work = fs::temp_directory_path() / ("svg-cascade-" + std::to_string(::getpid()));
  fs::create_directories(work);
  ASSERT_TRUE(WriteSvgFile(doc, work / "saved.svg"));
  WriteText(work / "expected.svg", head + "<path style=\"fill:none;stroke:#000000;stroke-dasharray:6,3;stroke-width:4\"" + line);
  WriteText(work / "overridden.svg",
            head + "<path stroke-width=\"4\" style=\"fill:none;stroke:#000000;stroke-dasharray:6,3\"" + line);
  const auto saved = Render(work / "saved.svg", work / "saved.png");
  const auto expected = Render(work / "expected.svg", work / "expected.png");
  const auto overridden = Render(work / "overridden.svg", work / "overridden.png");
  fs::remove_all(work);
  ASSERT_TRUE(saved && expected && overridden);
  EXPECT_EQ(DifferentPixels(*saved, *expected), 0);
  // The comparison sees the fault it guards against.
  EXPECT_GT(DifferentPixels(*overridden, *expected), 0);
}

}  // namespace
}  // namespace workbench::svg
