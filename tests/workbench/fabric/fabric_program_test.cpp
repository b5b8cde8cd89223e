// The cutting outputs of the built program, read back with independent
// readers: the PDF through poppler (pdfinfo, pdffonts, pdftotext and
// pdftocairo's SVG), the PNG's own chunks, the DXF through ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>

#include "workbench/cli/pieces.h"
#include "../cli/cli_test_support.h"
#include "../svg/svg_test_support.h"

namespace workbench::fabric {
namespace {

namespace fs = std::filesystem;
using cli::testing::Field;
using cli::testing::Flat;
using cli::testing::kPointsPerMm;
using cli::testing::Ran;
using cli::testing::Read;
using cli::testing::RunQuorvane;
using cli::testing::Slurp;
using cli::testing::TempDir;
using document::ArtId;
using document::Document;
using geometry::Point;

constexpr const char* kSeamLayer = "Front bodice(Auto seam-margin generate)";
// What the cutting room resolves.
constexpr double kHundredthMm = 0.01;

// Standard output of a command run through the shell (paths here are ours
// and hold no quotes).
std::string Capture(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::vector<Point> InMm(std::vector<Point> points) {
  for (Point& p : points) p = p * (1.0 / kPointsPerMm);
  return points;
}

// The larger of the two one-way distances between the outlines.
double Apart(const std::vector<Point>& a, const std::vector<Point>& b) {
  const quorvane::testing::DistanceField toA = Field(a), toB = Field(b);
  double worst = 0.0;
  for (Point p : a) worst = std::max(worst, toB(p));
  for (Point p : b) worst = std::max(worst, toA(p));
  return worst;
}

// The bodice with the bundled set of every kind applied, made once by
// `quorvane demo`.
class CuttingOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const Ran ran = RunQuorvane({"demo", "-o", dir_->Path().string()});
    ASSERT_EQ(ran.status, 0) << ran.err;
    if (ran.out.find("no PNG") == std::string::npos) {
      EXPECT_EQ(Slurp(*dir_ / "front-bodice-seam.png").substr(1, 3), "PNG") << "the demo's picture";
    }
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static fs::path Seam() { return *dir_ / "front-bodice-seam.svg"; }
  static TempDir* dir_;
};
TempDir* CuttingOutput::dir_ = nullptr;

// One page of a PDF as pdftocairo draws it, in PDF points (y up).
struct PdfPage {
  Document doc;
  std::string text;
};

PdfPage ReadPage(const fs::path& pdf, int page, const fs::path& folder) {
  const fs::path svg = folder / ("page-" + std::to_string(page) + ".svg");
  const std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
  Capture("pdftocairo -svg" + range + pdf.string() + " " + svg.string());
  return {Read(svg), Capture("pdftotext -layout" + range + pdf.string() + " -")};
}

// The heaviest outline of a page: the undashed path with most anchors.
std::vector<Point> CutLineOnPage(const Document& doc) {
  std::vector<Point> anchors;
  for (ArtId art : svg::testing::AllArt(doc)) {
    const std::vector<geometry::PathSegment>* segments = doc.Segments(art);
    if (segments == nullptr || !doc.GetPathStyle(art)->stroke.dash.array.empty()) continue;
    if (segments->size() <= anchors.size()) continue;
    anchors.clear();
    for (const geometry::PathSegment& s : *segments) anchors.push_back(s.anchor);
  }
  return anchors;
}

// Whether the page holds a square path of the side given.
bool HasSquare(const Document& doc, double sideMm) {
  const std::vector<ArtId> all = svg::testing::AllArt(doc);
  return std::any_of(all.begin(), all.end(), [&](ArtId art) {
    const std::optional<document::Rect> box = doc.Bounds(art);
    return doc.Segments(art) != nullptr && box && std::abs(box->Width() / kPointsPerMm - sideMm) < kHundredthMm &&
           std::abs(box->Height() / kPointsPerMm - sideMm) < kHundredthMm;
  });
}

struct PaperCase {
  const char* name;
  double widthMm;
  double heightMm;
};

class PrintAtFullSize : public CuttingOutput, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PrintAtFullSize, TestSquareMeasuresTrueAndTilesJoinWithTheOverlap) {
  const PaperCase paper = GetParam();
  TempDir dir;
  const fs::path pdf = dir / "bodice.pdf";
  const double margin = 8.0;
  const double overlap = 12.0;
  const Ran ran = RunQuorvane({"print", Seam().string(), "-o", pdf.string(), "--paper", paper.name, "--margin",
                               std::to_string(margin), "--overlap", std::to_string(overlap)});
  ASSERT_EQ(ran.status, 0) << ran.err;

  const std::string info = Capture("pdfinfo " + pdf.string());
  std::smatch m;
  ASSERT_TRUE(std::regex_search(info, m, std::regex("Pages: +([0-9]+)"))) << info;
  const int pages = std::stoi(m[1]);
  ASSERT_TRUE(std::regex_search(info, m, std::regex("Page size: +([0-9.]+) x ([0-9.]+) pts"))) << info;
  // The writer keeps whole points for the media box.
  EXPECT_NEAR(std::stod(m[1]), paper.widthMm * kPointsPerMm, 0.5);
  EXPECT_NEAR(std::stod(m[2]), paper.heightMm * kPointsPerMm, 0.5);

  const std::string fonts = Capture("pdffonts " + pdf.string());
  std::istringstream lines(fonts);
  std::string line;
  int embedded = 0;
  for (int n = 0; std::getline(lines, line); ++n) {
    if (n < 2) continue;  // the heading and its rule
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    ASSERT_GE(w.size(), 5u) << line;
    EXPECT_EQ(w[w.size() - 5], "yes") << "not embedded: " << line;
    ++embedded;
  }
  EXPECT_GT(embedded, 0) << fonts;

  // Pages by their row and column, as each page says.
  std::map<std::pair<int, int>, PdfPage> grid;
  for (int page = 1; page <= pages; ++page) {
    PdfPage read = ReadPage(pdf, page, dir.Path());
    ASSERT_TRUE(std::regex_search(read.text, m, std::regex("row ([0-9]+), column ([0-9]+)"))) << read.text;
    grid.emplace(std::make_pair(std::stoi(m[1]), std::stoi(m[2])), std::move(read));
  }
  ASSERT_EQ(grid.size(), static_cast<std::size_t>(pages));
  ASSERT_GT(pages, 1) << "the bodice is larger than one sheet";
  ASSERT_TRUE(grid.count({1, 1}));
  EXPECT_TRUE(HasSquare(grid.at({1, 1}).doc, 50.0)) << "the 5 cm test square on the first page";
  EXPECT_TRUE(HasSquare(grid.at({1, 1}).doc, 50.8)) << "the 2 in test square on the first page";
  EXPECT_NE(grid.at({1, 1}).text.find("5 cm"), std::string::npos);

  // Laid on each other by the overlap, neighbours show the same outline
  // moved by one step, which leaves them sharing the overlap.
  const double stepX = paper.widthMm - 2 * margin - overlap;
  const double stepY = paper.heightMm - 2 * margin - overlap;
  int joins = 0;
  for (const auto& [where, page] : grid) {
    const std::vector<Point> here = InMm(CutLineOnPage(page.doc));
    ASSERT_FALSE(here.empty());
    for (const auto& [next, shift] : {std::pair{std::make_pair(where.first, where.second + 1), Point{-stepX, 0}},
                                      std::pair{std::make_pair(where.first + 1, where.second), Point{0, stepY}}}) {
      if (!grid.count(next)) continue;
      const std::vector<Point> there = InMm(CutLineOnPage(grid.at(next).doc));
      std::vector<Point> moved = here;
      for (Point& p : moved) p = p + shift;
      EXPECT_LT(Apart(moved, there), kHundredthMm) << "row " << where.first << " column " << where.second << " to "
                                                   << next.first << ", " << next.second;
      ++joins;
    }
  }
  EXPECT_GE(joins, 2) << "pages meet across and down";
}

INSTANTIATE_TEST_SUITE_P(Papers, PrintAtFullSize,
                         ::testing::Values(PaperCase{"a4", 210.0, 297.0}, PaperCase{"letter", 215.9, 279.4}),
                         [](const auto& info) { return std::string(info.param.name); });

// A big-endian 32-bit number of a PNG chunk.
std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST_F(CuttingOutput, PngKeepsThePhysicalSizeAndOneSheetOfA0HoldsTheBodice) {
  TempDir dir;
  const fs::path png = dir / "bodice.png";
  const int dpi = 200;
  const Ran ran = RunQuorvane({"export", "--png", "--dpi", std::to_string(dpi), Seam().string(), "-o", png.string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const std::string bytes = Slurp(png);
  ASSERT_EQ(bytes.substr(1, 3), "PNG");
  const std::size_t phys = bytes.find("pHYs");
  ASSERT_NE(phys, std::string::npos) << "no resolution in the file";
  const double perMetre = dpi / 0.0254;
  EXPECT_NEAR(BigEndian(bytes, phys + 4), perMetre, 1.0);
  EXPECT_NEAR(BigEndian(bytes, phys + 8), perMetre, 1.0);
  EXPECT_EQ(bytes[phys + 12], 1) << "unit: the metre";
  // The cut line holds everything drawn; 5 mm of room on each side.
  const Document doc = Read(Seam());
  const std::vector<ArtId> cut = cli::ClosedPathsOnLayer(doc, kSeamLayer);
  ASSERT_EQ(cut.size(), 1u);
  const document::Rect box = *doc.Bounds(cut[0]);
  EXPECT_NEAR(BigEndian(bytes, 16), (box.Width() / kPointsPerMm + 10) / 25.4 * dpi, 1.0);
  EXPECT_NEAR(BigEndian(bytes, 20), (box.Height() / kPointsPerMm + 10) / 25.4 * dpi, 1.0);

  // One sheet of A0 holds the bodice; a paper not known is refused.
  Ran printed = RunQuorvane({"print", Seam().string(), "-o", (dir / "a0.pdf").string(), "--paper", "a0"});
  ASSERT_EQ(printed.status, 0) << printed.err;
  EXPECT_NE(Capture("pdfinfo " + (dir / "a0.pdf").string()).find("Pages:           1\n"), std::string::npos);
  printed = RunQuorvane({"print", Seam().string(), "-o", (dir / "b5.pdf").string(), "--paper", "b5"});
  EXPECT_EQ(printed.status, 2);
  EXPECT_NE(printed.err.find("--paper must be"), std::string::npos) << printed.err;
  EXPECT_FALSE(fs::exists(dir / "b5.pdf"));
}

// A DXF as ezdxf reads it.
struct DxfPiece {
  std::string name;
  std::vector<Point> boundary;
  std::vector<Point> sew;
  std::vector<std::pair<Point, Point>> notches;
};
struct DxfFile {
  int errors = -1;
  std::string report;
  std::vector<DxfPiece> pieces;
  std::vector<std::string> inserts;
};

DxfFile ReadDxf(const fs::path& file) {
  DxfFile dxf;
  dxf.report = Capture("/usr/bin/python3 " QUORVANE_TEST_SOURCE_DIR "/read_dxf.py " + file.string() + " 2>&1");
  std::istringstream lines(dxf.report);
  std::string line;
  const auto points = [](std::istringstream& in) {
    std::vector<Point> out;
    double x = 0.0, y = 0.0;
    while (in >> x >> y) out.push_back({x, y});
    return out;
  };
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "audit") in >> dxf.errors;
    if (word == "insert") dxf.inserts.push_back(line.substr(7));
    if (word == "block") dxf.pieces.emplace_back();
    if (dxf.pieces.empty()) continue;
    DxfPiece& piece = dxf.pieces.back();
    if (word == "boundary") piece.boundary = points(in);
    if (word == "sew") piece.sew = points(in);
    if (word == "text" && line.rfind("text Piece Name: ", 0) == 0) piece.name = line.substr(17);
    if (word == "notch") {
      const std::vector<Point> ends = points(in);
      if (ends.size() == 2) piece.notches.emplace_back(ends[0], ends[1]);
    }
  }
  return dxf;
}

TEST_F(CuttingOutput, DxfOfTheBodiceHoldsItsOutlinesAndNotchesOnTheirLayers) {
  TempDir dir;
  const fs::path out = dir / "bodice.dxf";
  const Ran ran = RunQuorvane({"export", "--dxf-aama", Seam().string(), "-o", out.string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const DxfFile dxf = ReadDxf(out);
  EXPECT_EQ(dxf.errors, 0) << dxf.report.substr(0, 2000);
  EXPECT_NE(dxf.report.find("layer 1 yes\nlayer 4 yes\nlayer 14 yes"), std::string::npos);
  EXPECT_NE(dxf.report.find("version AC1009"), std::string::npos);
  EXPECT_NE(dxf.report.find("measurement 1"), std::string::npos) << "not metric";
  ASSERT_EQ(dxf.pieces.size(), 1u);
  EXPECT_EQ(dxf.inserts.size(), 1u);
  EXPECT_EQ(dxf.pieces[0].name, "Front bodice");
  // The boundary is the cut line, the sew line the finish line.
  const Document doc = Read(Seam());
  EXPECT_LT(Apart(dxf.pieces[0].boundary, InMm(Flat(doc, cli::ClosedPathsOnLayer(doc, kSeamLayer)[0]))), kHundredthMm);
  EXPECT_LT(Apart(dxf.pieces[0].sew, InMm(Flat(doc, cli::FindById(doc, "front-seam")))), kHundredthMm);
  // Three notches, each a 6 mm slit from the cut line into the allowance.
  const quorvane::testing::DistanceField cut = Field(InMm(Flat(doc, cli::ClosedPathsOnLayer(doc, kSeamLayer)[0])));
  ASSERT_EQ(dxf.pieces[0].notches.size(), 3u);
  for (const auto& [from, to] : dxf.pieces[0].notches) {
    EXPECT_LT(cut(from), kHundredthMm);
    EXPECT_NEAR(geometry::Distance(from, to), 6.0, kHundredthMm);
    EXPECT_TRUE(cut.Inside(to));
    EXPECT_FALSE(Field(dxf.pieces[0].sew).Inside(to)) << "the slit stays in the allowance";
  }
}

// Where each mark runs and how long it is are the notch tests' and the
// DXF's; here the program draws them.
TEST_F(CuttingOutput, NotchesAreDrawnOnTheAllowancesLayer) {
  TempDir dir;
  const fs::path out = dir / "notched.svg";
  const Ran ran = RunQuorvane({"notches", Seam().string(), "-o", out.string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(ran.out.find("3 notch(es) on the cut line, 0 on the finish line"), std::string::npos) << ran.out;
  const Document doc = Read(out);
  const std::vector<ArtId> art = cli::ArtOnLayer(doc, kSeamLayer);
  EXPECT_EQ(std::count_if(art.begin(), art.end(), [&](ArtId a) { return doc.FindArt(a)->name == "notch mark"; }), 3);
}

}  // namespace
}  // namespace workbench::fabric
