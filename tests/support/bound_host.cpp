#include "support/bound_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <unistd.h>

namespace quorvane::testing {
namespace {

template <typename Suite>
void Acquire(const QvBasicSuite* basic, const char* name, int version, const Suite** suite) {
  const void* p = nullptr;
  EXPECT_EQ(basic->AcquireSuite(name, version, &p), kQvNoErr) << "the host offers no " << name;
  *suite = static_cast<const Suite*>(p);
}

// One folder per host, also across test processes that ctest runs at once.
std::filesystem::path FreshPrefsFolder() {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         ("quorvane-test-prefs-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

}  // namespace

host::HostSuites AcquireDocumentSuites(const QvBasicSuite* basic) {
  host::HostSuites s;
  s.basic = basic;
  Acquire(basic, kQvBlocksSuite, kQvBlocksSuiteVersion, &s.blocks);
  Acquire(basic, kQvArtSuite, kQvArtSuiteVersion, &s.art);
  Acquire(basic, kQvPathSuite, kQvPathSuiteVersion, &s.path);
  Acquire(basic, kQvPathStyleSuite, kQvPathStyleSuiteVersion, &s.pathStyle);
  Acquire(basic, kQvLayerSuite, kQvLayerSuiteVersion, &s.layer);
  Acquire(basic, kQvMatchingArtSuite, kQvMatchingArtSuiteVersion, &s.matchingArt);
  Acquire(basic, kQvArtSetSuite, kQvArtSetSuiteVersion, &s.artSet);
  Acquire(basic, kQvPathfinderSuite, kQvPathfinderSuiteVersion, &s.pathfinder);
  Acquire(basic, kQvActionManagerSuite, kQvActionManagerSuiteVersion, &s.actionManager);
  Acquire(basic, kQvPathConstructionSuite, kQvPathConstructionSuiteVersion, &s.pathConstruction);
  Acquire(basic, kQvTransformArtSuite, kQvTransformArtSuiteVersion, &s.transformArt);
  Acquire(basic, kQvRealMathSuite, kQvRealMathSuiteVersion, &s.realMath);
  Acquire(basic, kQvRealBezierSuite, kQvRealBezierSuiteVersion, &s.realBezier);
  Acquire(basic, kQvHitTestSuite, kQvHitTestSuiteVersion, &s.hitTest);
  Acquire(basic, kQvUserSuite, kQvUserSuiteVersion, &s.user);
  Acquire(basic, kQvUndoSuite, kQvUndoSuiteVersion, &s.undo);
  Acquire(basic, kQvTagSuite, kQvTagSuiteVersion, &s.tag);
  Acquire(basic, kQvDocumentSuite, kQvDocumentSuiteVersion, &s.document);
  Acquire(basic, kQvCustomColorSuite, kQvCustomColorSuiteVersion, &s.customColor);
  Acquire(basic, kQvSwatchListSuite, kQvSwatchListSuiteVersion, &s.swatchList);
  Acquire(basic, kQvFoldersSuite, kQvFoldersSuiteVersion, &s.folders);
  return s;
}

BoundHost::BoundHost()
    : prefs_(FreshPrefsFolder()),
      document_(std::make_unique<workbench::document::Document>()),
      host_(workbench::plugin::HostOptions{prefs_}) {
  host_.SetDocument(document_.get());
  suites_ = AcquireDocumentSuites(host_.BasicSuite());
  hostDocument_ = std::make_unique<host::HostDocument>(suites_);
}

BoundHost::~BoundHost() {
  std::error_code ec;
  std::filesystem::remove_all(prefs_, ec);
}

}  // namespace quorvane::testing
