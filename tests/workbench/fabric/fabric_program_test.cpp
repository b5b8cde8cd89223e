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

#include "support/shared_data.h"
#include "workbench/cli/pieces.h"
#include "workbench/geometry/flatten.h"
#include "workbench/svg/svg_io.h"
#include "../cli/cli_test_support.h"

namespace workbench::fabric {
namespace {

namespace fs = std::filesystem;
using cli::testing::DistanceTo;
using cli::testing::Flat;
using cli::testing::kPointsPerMm;
using cli::testing::Ran;
using cli::testing::RunQuorvane;
using cli::testing::Samples;
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

Document Read(const fs::path& file) {
  auto read = svg::ReadSvgFile(file);
  EXPECT_TRUE(read) << read.error().ToString();
  return read ? std::move(read.value()) : Document();
}

std::vector<Point> InMm(std::vector<Point> points) {
  for (Point& p : points) p = p * (1.0 / kPointsPerMm);
  return points;
}

// The larger of the two one-way distances between the outlines.
double Apart(const std::vector<Point>& a, const std::vector<Point>& b) {
  double worst = 0.0;
  for (Point p : a) worst = std::max(worst, DistanceTo(b, p));
  for (Point p : b) worst = std::max(worst, DistanceTo(a, p));
  return worst;
}

// The bodice with the bundled set of every kind applied, made once.
class CuttingOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const Ran ran = RunQuorvane({"demo", "-o", dir_->Path().string()});
    ASSERT_EQ(ran.status, 0) << ran.err;
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
  ArtId best;
  std::size_t most = 0;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) {
      const std::vector<geometry::PathSegment>* segments = doc.Segments(art);
      if (segments == nullptr || !doc.GetPathStyle(art)->stroke.dash.array.empty()) continue;
      if (segments->size() > most) {
        most = segments->size();
        best = art;
      }
    }
  }
  std::vector<Point> anchors;
  if (best) {
    for (const geometry::PathSegment& s : *doc.Segments(best)) anchors.push_back(s.anchor);
  }
  return anchors;
}

// Whether the page holds a closed square path of the side given.
bool HasSquare(const Document& doc, double sideMm) {
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) {
      const std::optional<document::Rect> box = doc.Bounds(art);
      if (doc.Segments(art) == nullptr || !box) continue;
      if (std::abs(box->Width() / kPointsPerMm - sideMm) < kHundredthMm &&
          std::abs(box->Height() / kPointsPerMm - sideMm) < kHundredthMm) {
        return true;
      }
    }
  }
  return false;
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

TEST_F(CuttingOutput, OneSheetOfA0HoldsTheBodiceAndBadPaperIsRefused) {
  TempDir dir;
  Ran ran = RunQuorvane({"print", Seam().string(), "-o", (dir / "a0.pdf").string(), "--paper", "a0"});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(Capture("pdfinfo " + (dir / "a0.pdf").string()).find("Pages:           1\n"), std::string::npos);
  ran = RunQuorvane({"print", Seam().string(), "-o", (dir / "b5.pdf").string(), "--paper", "b5"});
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("--paper must be"), std::string::npos) << ran.err;
  EXPECT_FALSE(fs::exists(dir / "b5.pdf"));
}

// A big-endian 32-bit number of a PNG chunk.
std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST_F(CuttingOutput, PngRecordsItsResolutionAndKeepsThePhysicalSize) {
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

// Checks every block of the DXF against the pieces of `doc`: the boundary
// is the cut line (the finish line where no allowance was made), the sew
// line the finish line. Returns how many pieces were checked; `worst`
// grows to the largest distance found, in mm.
int ExpectBlocksMatch(const DxfFile& dxf, const Document& doc, const std::string& file, double& worst) {
  EXPECT_EQ(dxf.errors, 0) << file << "\n" << dxf.report.substr(0, 2000);
  EXPECT_NE(dxf.report.find("layer 1 yes\nlayer 4 yes\nlayer 14 yes"), std::string::npos) << file;
  EXPECT_NE(dxf.report.find("version AC1009"), std::string::npos) << file;
  EXPECT_NE(dxf.report.find("measurement 1"), std::string::npos) << file << ": not metric";
  EXPECT_EQ(dxf.inserts.size(), dxf.pieces.size()) << file;
  int checked = 0;
  for (const cli::Piece& piece : cli::ClosedPieces(doc)) {
    const std::string layer = cli::LayerTitleOf(doc, piece.art);
    const auto found = std::find_if(dxf.pieces.begin(), dxf.pieces.end(),
                                    [&](const DxfPiece& p) { return p.name == layer || p.name == piece.label; });
    if (found == dxf.pieces.end()) {
      ADD_FAILURE() << file << ": no block for " << layer;
      continue;
    }
    const std::vector<Point> finish = InMm(Flat(doc, piece.art));
    const std::vector<ArtId> cuts = cli::ClosedPathsOnLayer(doc, layer + std::string(cli::kSeamLayerSuffix));
    const auto expectNear = [&](const std::vector<Point>& read, const std::vector<Point>& ours, const char* what) {
      const double apart = Apart(read, ours);
      worst = std::max(worst, apart);
      EXPECT_LT(apart, kHundredthMm) << file << " " << layer << " " << what;
    };
    if (cuts.size() == 1) {
      expectNear(found->boundary, InMm(Flat(doc, cuts[0])), "boundary");
      expectNear(found->sew, finish, "sew line");
    } else {
      expectNear(found->boundary, finish, "boundary");
    }
    ++checked;
  }
  EXPECT_EQ(static_cast<std::size_t>(checked), dxf.pieces.size()) << file;
  return checked;
}

TEST_F(CuttingOutput, DxfOfTheBodiceHoldsItsOutlinesAndNotchesOnTheirLayers) {
  TempDir dir;
  const fs::path out = dir / "bodice.dxf";
  const Ran ran = RunQuorvane({"export", "--dxf-aama", Seam().string(), "-o", out.string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const DxfFile dxf = ReadDxf(out);
  const Document doc = Read(Seam());
  double worst = 0.0;
  EXPECT_EQ(ExpectBlocksMatch(dxf, doc, "bodice", worst), 1);
  ASSERT_EQ(dxf.pieces.size(), 1u);
  EXPECT_EQ(dxf.pieces[0].name, "Front bodice");
  // Three notches, each a 6 mm slit from the cut line into the allowance.
  const std::vector<Point> cut = InMm(Flat(doc, cli::ClosedPathsOnLayer(doc, kSeamLayer)[0]));
  ASSERT_EQ(dxf.pieces[0].notches.size(), 3u);
  for (const auto& [from, to] : dxf.pieces[0].notches) {
    EXPECT_LT(DistanceTo(cut, from), kHundredthMm);
    EXPECT_NEAR(geometry::Distance(from, to), 6.0, kHundredthMm);
    EXPECT_TRUE(cli::testing::Inside(cut, to));
    EXPECT_FALSE(cli::testing::Inside(dxf.pieces[0].sew, to)) << "the slit stays in the allowance";
  }
}

TEST(CorpusDxf, EveryFilePassesTheAuditAndMatchesOurOutlines) {
  const auto shared = quorvane::testing::SharedDir();
  if (!shared) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  TempDir dir;
  const std::string list = (Samples() / "every-kind-list.txt").string();
  int files = 0, pieces = 0;
  double worst = 0.0;
  for (const auto& entry : fs::directory_iterator(*shared / "corpus" / "freesewing")) {
    const fs::path file = entry.path();
    if (file.extension() != ".svg" || file.filename().string().find("-freesewing-sa") != std::string::npos) continue;
    const fs::path seam = dir / (file.stem().string() + "-seam.svg");
    const fs::path dxfFile = dir / (file.stem().string() + ".dxf");
    Ran ran = RunQuorvane({"apply", file.string(), "--set", "Basic 10 mm", "--list", list, "-o", seam.string()});
    ASSERT_TRUE(ran.status == 0 || ran.status == 1) << file << ": " << ran.err;
    ran = RunQuorvane({"export", "--dxf-aama", seam.string(), "-o", dxfFile.string()});
    ASSERT_EQ(ran.status, 0) << file << ": " << ran.err;
    pieces += ExpectBlocksMatch(ReadDxf(dxfFile), Read(seam), file.filename().string(), worst);
    ++files;
  }
  EXPECT_GT(files, 0);
  RecordProperty("pieces", pieces);
  RecordProperty("largest_distance_um", static_cast<int>(std::ceil(worst * 1000.0)));
}

TEST_F(CuttingOutput, NotchesGoToTheCutLineAlongTheFinishLinesNormal) {
  TempDir dir;
  const fs::path out = dir / "notched.svg";
  const Ran ran = RunQuorvane({"notches", Seam().string(), "-o", out.string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(ran.out.find("3 notch(es) on the cut line, 0 on the finish line"), std::string::npos) << ran.out;
  const Document doc = Read(out);
  const std::vector<Point> cut = Flat(doc, cli::ClosedPathsOnLayer(doc, kSeamLayer)[0]);
  const std::vector<Point> finish = Flat(doc, cli::FindById(doc, "front-seam"));
  // The finish line with vertices 0.2 pt apart at most.
  std::vector<Point> fine;
  for (const geometry::FlatPoint& p :
       geometry::FlattenPath({*doc.Segments(cli::FindById(doc, "front-seam")), true}, 0.001, 0.2)) {
    fine.push_back(p.point);
  }
  std::vector<std::vector<Point>> marks;
  for (ArtId art : cli::ArtOnLayer(doc, kSeamLayer)) {
    if (doc.FindArt(art)->name != "notch mark") continue;
    marks.push_back({doc.Segments(art)->front().anchor, doc.Segments(art)->back().anchor});
  }
  ASSERT_EQ(marks.size(), 3u);
  // The notches in the sample: the side-seam point 8 (where the 20 mm
  // let-out ends), the armhole's anchor 5 and a point inside its curve 6-7.
  for (const char* id : {"notch-side", "notch-armhole-back", "notch-armhole-front"}) {
    const document::Rect box = *doc.Bounds(cli::FindById(doc, id));
    const Point centre{(box.left + box.right) / 2, (box.bottom + box.top) / 2};
    ASSERT_LT(DistanceTo(finish, centre), 0.01) << id;
    // The mark whose line runs through the notch.
    const auto through = std::find_if(marks.begin(), marks.end(), [&](const std::vector<Point>& mark) {
      const Point d = mark[1] - mark[0];
      return std::abs(geometry::Cross(d, centre - mark[0])) / geometry::Length(d) < 0.01;
    });
    ASSERT_NE(through, marks.end()) << id;
    const Point start = (*through)[0];
    const Point end = (*through)[1];
    EXPECT_LT(DistanceTo(cut, start), 0.02) << id << ": starts on the cut line";
    EXPECT_NEAR(geometry::Distance(start, end), 6 * kPointsPerMm, 0.001) << id;
    // Along the normal: square to the finish line's chord across the
    // notch, a point either side.
    std::size_t k = 0;
    for (std::size_t i = 1; i < fine.size(); ++i) {
      if (geometry::Distance(fine[i], centre) < geometry::Distance(fine[k], centre)) k = i;
    }
    std::size_t before = k, after = k;
    const std::size_t n = fine.size();
    while (geometry::Distance(fine[before], centre) < 1.0) before = (before + n - 1) % n;
    while (geometry::Distance(fine[after], centre) < 1.0) after = (after + 1) % n;
    const Point chord = fine[after] - fine[before];
    EXPECT_LT(std::abs(geometry::Dot(chord, start - end)) / geometry::Length(chord) / geometry::Length(start - end),
              0.01)
        << id;
  }
}

}  // namespace
}  // namespace workbench::fabric
