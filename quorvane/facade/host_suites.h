// The host suites the module's document operations go through.
#pragma once

#include "sdk/action_manager_suite.h"
#include "sdk/art_set_suite.h"
#include "sdk/art_suite.h"
#include "sdk/basic_suite.h"
#include "sdk/blocks_suite.h"
#include "sdk/custom_color_suite.h"
#include "sdk/document_suite.h"
#include "sdk/folders_suite.h"
#include "sdk/hit_test_suite.h"
#include "sdk/layer_suite.h"
#include "sdk/matching_art_suite.h"
#include "sdk/menu_suite.h"
#include "sdk/notifier_suite.h"
#include "sdk/path_construction_suite.h"
#include "sdk/path_style_suite.h"
#include "sdk/path_suite.h"
#include "sdk/pathfinder_suite.h"
#include "sdk/real_bezier_suite.h"
#include "sdk/real_math_suite.h"
#include "sdk/runtime_suite.h"
#include "sdk/swatch_list_suite.h"
#include "sdk/tag_suite.h"
#include "sdk/text_suite.h"
#include "sdk/tool_suite.h"
#include "sdk/transform_art_suite.h"
#include "sdk/ui_suite.h"
#include "sdk/undo_suite.h"
#include "sdk/user_suite.h"

namespace quorvane::host {

/// Pointers to acquired suites; a null pointer is a suite the host could
/// not supply, and every operation that needs it fails with
/// kQvErrSuiteNotFound.
struct HostSuites {
  const QvBasicSuite* basic = nullptr;
  const QvBlocksSuite* blocks = nullptr;
  const QvArtSuite* art = nullptr;
  const QvPathSuite* path = nullptr;
  const QvPathStyleSuite* pathStyle = nullptr;
  const QvLayerSuite* layer = nullptr;
  const QvMatchingArtSuite* matchingArt = nullptr;
  const QvArtSetSuite* artSet = nullptr;
  const QvPathfinderSuite* pathfinder = nullptr;
  const QvActionManagerSuite* actionManager = nullptr;
  const QvPathConstructionSuite* pathConstruction = nullptr;
  const QvTransformArtSuite* transformArt = nullptr;
  const QvRealMathSuite* realMath = nullptr;
  const QvRealBezierSuite* realBezier = nullptr;
  const QvHitTestSuite* hitTest = nullptr;
  const QvUserSuite* user = nullptr;
  const QvUndoSuite* undo = nullptr;
  const QvTagSuite* tag = nullptr;
  const QvTextSuite* text = nullptr;
  const QvDocumentSuite* document = nullptr;
  const QvCustomColorSuite* customColor = nullptr;
  const QvSwatchListSuite* swatchList = nullptr;
  const QvFoldersSuite* folders = nullptr;
  const QvMenuSuite* menu = nullptr;
  const QvToolSuite* tool = nullptr;
  const QvNotifierSuite* notifier = nullptr;
  const QvRuntimeSuite* runtime = nullptr;
  const QvUiSuite* ui = nullptr;
};

}  // namespace quorvane::host
