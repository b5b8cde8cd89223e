#include "support/bound_host.h"

#include <gtest/gtest.h>

#include <string>

#include "support/shared_data.h"

namespace quorvane::testing {
namespace {

// Acquires one suite; on failure records its name, once, and leaves it null.
template <typename Suite>
bool Acquire(const QvBasicSuite* basic, const char* name, int version, const Suite** suite, std::string* missing) {
  const void* p = nullptr;
  if (basic->AcquireSuite(name, version, &p) != kQvNoErr) {
    if (missing != nullptr && missing->empty()) *missing = name;
    return false;
  }
  *suite = static_cast<const Suite*>(p);
  return true;
}

}  // namespace

std::vector<host::PathSegment> Rectangle(double x, double y, double w, double h) {
  std::vector<host::PathSegment> corners;
  for (const auto& [cx, cy] : {std::pair{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}) {
    host::PathSegment s{};
    s.p = s.in = s.out = QvRealPoint{cx, cy};
    s.corner = 1;
    corners.push_back(s);
  }
  return corners;
}

workbench::geometry::PathData ToPathData(const std::vector<host::PathSegment>& segments) {
  workbench::geometry::PathData path;
  path.closed = true;
  for (const host::PathSegment& s : segments) {
    path.segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner != 0});
  }
  return path;
}

std::optional<host::HostSuites> AcquireDocumentSuites(const QvBasicSuite* basic, std::string* missing) {
  host::HostSuites s;
  s.basic = basic;
  bool all = true;
  all &= Acquire(basic, kQvBlocksSuite, kQvBlocksSuiteVersion, &s.blocks, missing);
  all &= Acquire(basic, kQvArtSuite, kQvArtSuiteVersion, &s.art, missing);
  all &= Acquire(basic, kQvPathSuite, kQvPathSuiteVersion, &s.path, missing);
  all &= Acquire(basic, kQvPathStyleSuite, kQvPathStyleSuiteVersion, &s.pathStyle, missing);
  all &= Acquire(basic, kQvLayerSuite, kQvLayerSuiteVersion, &s.layer, missing);
  all &= Acquire(basic, kQvMatchingArtSuite, kQvMatchingArtSuiteVersion, &s.matchingArt, missing);
  all &= Acquire(basic, kQvArtSetSuite, kQvArtSetSuiteVersion, &s.artSet, missing);
  all &= Acquire(basic, kQvPathfinderSuite, kQvPathfinderSuiteVersion, &s.pathfinder, missing);
  all &= Acquire(basic, kQvActionManagerSuite, kQvActionManagerSuiteVersion, &s.actionManager, missing);
  all &= Acquire(basic, kQvPathConstructionSuite, kQvPathConstructionSuiteVersion, &s.pathConstruction, missing);
  all &= Acquire(basic, kQvTransformArtSuite, kQvTransformArtSuiteVersion, &s.transformArt, missing);
  all &= Acquire(basic, kQvRealMathSuite, kQvRealMathSuiteVersion, &s.realMath, missing);
  all &= Acquire(basic, kQvRealBezierSuite, kQvRealBezierSuiteVersion, &s.realBezier, missing);
  all &= Acquire(basic, kQvHitTestSuite, kQvHitTestSuiteVersion, &s.hitTest, missing);
  all &= Acquire(basic, kQvUserSuite, kQvUserSuiteVersion, &s.user, missing);
  all &= Acquire(basic, kQvUndoSuite, kQvUndoSuiteVersion, &s.undo, missing);
  all &= Acquire(basic, kQvTagSuite, kQvTagSuiteVersion, &s.tag, missing);
  all &= Acquire(basic, kQvTextSuite, kQvTextSuiteVersion, &s.text, missing);
  all &= Acquire(basic, kQvDocumentSuite, kQvDocumentSuiteVersion, &s.document, missing);
  all &= Acquire(basic, kQvCustomColorSuite, kQvCustomColorSuiteVersion, &s.customColor, missing);
  all &= Acquire(basic, kQvSwatchListSuite, kQvSwatchListSuiteVersion, &s.swatchList, missing);
  all &= Acquire(basic, kQvFoldersSuite, kQvFoldersSuiteVersion, &s.folders, missing);
  if (!all) return std::nullopt;
  return s;
}

BoundHost::BoundHost()
    : prefs_(FreshTempPath("quorvane-test-prefs-")),
      document_(std::make_unique<workbench::document::Document>()),
      host_(workbench::plugin::HostOptions{prefs_}) {
  host_.SetDocument(document_.get());
  std::string missing;
  const auto suites = AcquireDocumentSuites(host_.BasicSuite(), &missing);
  EXPECT_TRUE(suites.has_value()) << "the host offers no " << missing;
  if (suites) suites_ = *suites;
  // The panel and the dialogs reach the host's headless toolkit through it.
  const void* ui = nullptr;
  EXPECT_EQ(host_.BasicSuite()->AcquireSuite(kQvUiSuite, kQvUiSuiteVersion, &ui), kQvNoErr)
      << "the host offers no " << kQvUiSuite;
  suites_.ui = static_cast<const QvUiSuite*>(ui);
  hostDocument_ = std::make_unique<host::HostDocument>(suites_);
}

BoundHost::~BoundHost() {
  std::error_code ec;
  std::filesystem::remove_all(prefs_, ec);
}

}  // namespace quorvane::testing
