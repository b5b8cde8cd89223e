#include "quorvane/host/suite_table.h"

#include <iterator>

#include "sdk/errors.h"

namespace quorvane::host {

namespace {

// Valid only between acquisition and release; a reloaded module starts
// with all of them null again.
HostSuites g_suites;
std::uint16_t g_acquisitions = 0;

struct SuiteEntry {
  const char* name;
  std::int32_t version;
  const void** location;
};

template <typename Suite>
const void** Slot(const Suite*& pointer) {
  return reinterpret_cast<const void**>(&pointer);
}

// Every suite the module uses. The last entry decides whether acquisition
// succeeded, so it is one every host has.
const SuiteEntry kSuiteTable[] = {
    {kQvBlocksSuite, kQvBlocksSuiteVersion, Slot(g_suites.blocks)},
    {kQvRealMathSuite, kQvRealMathSuiteVersion, Slot(g_suites.realMath)},
    {kQvArtSuite, kQvArtSuiteVersion, Slot(g_suites.art)},
    {kQvPathSuite, kQvPathSuiteVersion, Slot(g_suites.path)},
    {kQvPathStyleSuite, kQvPathStyleSuiteVersion, Slot(g_suites.pathStyle)},
    {kQvLayerSuite, kQvLayerSuiteVersion, Slot(g_suites.layer)},
    {kQvMatchingArtSuite, kQvMatchingArtSuiteVersion, Slot(g_suites.matchingArt)},
    {kQvArtSetSuite, kQvArtSetSuiteVersion, Slot(g_suites.artSet)},
    {kQvPathfinderSuite, kQvPathfinderSuiteVersion, Slot(g_suites.pathfinder)},
    {kQvActionManagerSuite, kQvActionManagerSuiteVersion, Slot(g_suites.actionManager)},
    {kQvPathConstructionSuite, kQvPathConstructionSuiteVersion, Slot(g_suites.pathConstruction)},
    {kQvTransformArtSuite, kQvTransformArtSuiteVersion, Slot(g_suites.transformArt)},
    {kQvRealBezierSuite, kQvRealBezierSuiteVersion, Slot(g_suites.realBezier)},
    {kQvHitTestSuite, kQvHitTestSuiteVersion, Slot(g_suites.hitTest)},
    {kQvUndoSuite, kQvUndoSuiteVersion, Slot(g_suites.undo)},
    {kQvTagSuite, kQvTagSuiteVersion, Slot(g_suites.tag)},
    {kQvTextSuite, kQvTextSuiteVersion, Slot(g_suites.text)},
    {kQvDocumentSuite, kQvDocumentSuiteVersion, Slot(g_suites.document)},
    {kQvCustomColorSuite, kQvCustomColorSuiteVersion, Slot(g_suites.customColor)},
    {kQvSwatchListSuite, kQvSwatchListSuiteVersion, Slot(g_suites.swatchList)},
    {kQvMenuSuite, kQvMenuSuiteVersion, Slot(g_suites.menu)},
    {kQvToolSuite, kQvToolSuiteVersion, Slot(g_suites.tool)},
    {kQvNotifierSuite, kQvNotifierSuiteVersion, Slot(g_suites.notifier)},
    {kQvRuntimeSuite, kQvRuntimeSuiteVersion, Slot(g_suites.runtime)},
    {kQvFoldersSuite, kQvFoldersSuiteVersion, Slot(g_suites.folders)},
    {kQvUiSuite, kQvUiSuiteVersion, Slot(g_suites.ui)},
    {kQvUserSuite, kQvUserSuiteVersion, Slot(g_suites.user)},
};

}  // namespace

QvErr AcquireSuites(const QvBasicSuite* basic) {
  QvErr result = kQvNoErr;
  if (g_acquisitions == 0) {
    g_suites.basic = basic;
    for (const SuiteEntry& entry : kSuiteTable) {
      *entry.location = nullptr;
      result = basic != nullptr && basic->AcquireSuite != nullptr
                   ? basic->AcquireSuite(entry.name, entry.version, entry.location)
                   : kQvErrSuiteNotFound;
      if (result != kQvNoErr) *entry.location = nullptr;
    }
  }
  ++g_acquisitions;
  return result;
}

void ReleaseSuites(const QvBasicSuite* basic) {
  if (g_acquisitions == 1 && basic != nullptr && basic->ReleaseSuite != nullptr) {
    for (const SuiteEntry& entry : kSuiteTable) {
      if (*entry.location == nullptr) continue;
      if (basic->ReleaseSuite(entry.name, entry.version) != kQvNoErr) break;
      *entry.location = nullptr;
    }
  }
  if (g_acquisitions == 1) g_suites.basic = nullptr;
  if (g_acquisitions > 0) --g_acquisitions;
}

const HostSuites& AcquiredSuites() { return g_suites; }

std::uint16_t AcquisitionCount() { return g_acquisitions; }

void ResetAcquisitionCount() { g_acquisitions = 0; }

}  // namespace quorvane::host
