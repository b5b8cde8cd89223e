// Golden results: the driver's seam allowances for a few pieces and sets,
// compared by parsed coordinates with reference SVGs under
// tests/data/generation/. A mismatch writes <name>.out.svg beside the
// reference; QUORVANE_BLESS=1 makes the outputs the new references once a
// person has looked at them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "generation_test_support.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::generation {
namespace {

namespace fs = std::filesystem;
namespace wd = workbench::document;
using commands::CCommandSet;
using commands::CommandType;

// Coordinates are written with full precision; this only absorbs the last
// digits of a different machine's floating point.
constexpr double kCoordinateTolerance = 1e-6;

struct GoldenCommand {
  CommandType type;
  const char* first;
  const char* second;
  float width;
};

struct GoldenCase {
  const char* name;
  const char* piece;  // under tests/data/generation/
  float basicWidth;   // millimetres
  std::vector<GoldenCommand> commands;
};

// Every layer's title and the coordinates of its paths, in paint order:
// each path's anchor count, then every anchor with its handles.
std::vector<std::pair<std::string, std::vector<double>>> Coordinates(const wd::Document& doc) {
  std::vector<std::pair<std::string, std::vector<double>>> out;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const wd::LayerId layer = doc.LayerAt(i);
    auto& [title, numbers] = out.emplace_back(doc.FindLayer(layer)->title, std::vector<double>{});
    for (wd::ArtId art : doc.AllArtOfLayer(layer)) {
      const auto* segments = doc.Segments(art);
      if (segments == nullptr) continue;
      numbers.push_back(static_cast<double>(segments->size()));
      for (const auto& s : *segments) numbers.insert(numbers.end(), {s.anchor.x, s.anchor.y, s.in.x, s.in.y, s.out.x, s.out.y});
    }
  }
  return out;
}

// The first difference between two documents' paths, or "" when they agree.
std::string FirstDifference(const wd::Document& got, const wd::Document& want) {
  const auto a = Coordinates(got);
  const auto b = Coordinates(want);
  if (a.size() != b.size()) return "layer count " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
  for (std::size_t l = 0; l < a.size(); ++l) {
    if (a[l].first != b[l].first) return "layer title " + a[l].first + " vs " + b[l].first;
    if (a[l].second.size() != b[l].second.size()) return "path or anchor count on " + a[l].first;
    for (std::size_t k = 0; k < a[l].second.size(); ++k) {
      if (std::abs(a[l].second[k] - b[l].second[k]) > kCoordinateTolerance) {
        return "number " + std::to_string(k) + " on " + a[l].first;
      }
    }
  }
  return "";
}

class Golden : public testing::HostFixture, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(Golden, ResultMatchesReference) {
  const GoldenCase& c = GetParam();
  const fs::path dir = quorvane::testing::TestDataDir() / "generation";
  ASSERT_TRUE(OpenSvg(dir / c.piece));
  state_.pointsPerUnit = kPointsPerMillimetre;

  const auto layer = Doc().NthLayer(0);
  ASSERT_TRUE(layer);
  const auto arts = Doc().AllArtOfLayer(*layer);
  ASSERT_TRUE(arts && !arts->empty());
  const host::ArtRef source = arts->front();
  if (*Doc().SignedArea(source) < 0) Doc().Reverse(source);

  CCommandSet set(c.name);
  set.SetBasicWidth(c.basicWidth);
  for (const GoldenCommand& command : c.commands) {
    testing::AddCommand(set, command.type, command.first, command.second, command.width);
  }
  state_.sourcePath = source;
  SeamAllowanceGenerator(Doc(), state_, set, {true, set.GetCommandCount() + 1, OptimizeChoice::kNone}, true);
  ASSERT_TRUE(state_.resultArt) << "the run failed";
  EXPECT_TRUE(Host().Prompts().Shown().empty());

  const fs::path reference = dir / (std::string(c.name) + ".svg");
  const fs::path output = dir / (std::string(c.name) + ".out.svg");
  const char* bless = std::getenv("QUORVANE_BLESS");
  if (bless != nullptr && std::string(bless) == "1") {
    ASSERT_TRUE(workbench::svg::WriteSvgFile(Document(), reference));
    GTEST_SKIP() << "wrote " << reference << "; look at it before committing";
  }
  auto want = workbench::svg::ReadSvgFile(reference);
  ASSERT_TRUE(want) << want.error().ToString() << " (QUORVANE_BLESS=1 writes it)";
  const std::string difference = FirstDifference(Document(), want.value());
  if (!difference.empty()) {
    ASSERT_TRUE(workbench::svg::WriteSvgFile(Document(), output));
    FAIL() << c.name << " differs from its reference: " << difference << "; see " << output;
  }
  fs::remove(output);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, Golden,
    ::testing::Values(
        GoldenCase{"rectangle-trims", "rectangle.svg", 10.0f,
                   {{CommandType::kExtendedCrossing, "1", nullptr, 0.0f},
                    {CommandType::kCutOff, "3", nullptr, 5.0f},
                    {CommandType::kRightAngleForward, "2", nullptr, 0.0f}}},
        GoldenCase{"bodice-corners", "bodice.svg", 10.0f,
                   {{CommandType::kRightAngleForward, "1", nullptr, 0.0f},
                    {CommandType::kRevForward, "6", nullptr, 0.0f},
                    {CommandType::kCutOff, "8", nullptr, 5.0f}}},
        GoldenCase{"bodice-basic", "bodice.svg", 15.0f, {}}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) {
      std::string name = info.param.name;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

}  // namespace
}  // namespace quorvane::generation
