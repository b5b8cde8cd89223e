// The host's suite implementations over the workbench document. Each acts
// on the current host (Host::Current()) and its document.
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
#include "sdk/undo_suite.h"
#include "sdk/user_suite.h"

namespace workbench::plugin {

class Host;
class SuiteRegistry;

const QvBasicSuite& BasicSuiteImpl();
const QvBlocksSuite& BlocksSuiteImpl();
const QvUserSuite& UserSuiteImpl();
const QvFoldersSuite& FoldersSuiteImpl();
const QvDocumentSuite& DocumentSuiteImpl();
const QvUndoSuite& UndoSuiteImpl();
const QvActionManagerSuite& ActionManagerSuiteImpl();

const QvMenuSuite& MenuSuiteImpl();
const QvToolSuite& ToolSuiteImpl();
const QvNotifierSuite& NotifierSuiteImpl();
const QvRuntimeSuite& RuntimeSuiteImpl();

const QvArtSuite& ArtSuiteImpl();
const QvPathSuite& PathSuiteImpl();
const QvPathStyleSuite& PathStyleSuiteImpl();
const QvLayerSuite& LayerSuiteImpl();
const QvMatchingArtSuite& MatchingArtSuiteImpl();
const QvArtSetSuite& ArtSetSuiteImpl();
const QvTagSuite& TagSuiteImpl();
const QvCustomColorSuite& CustomColorSuiteImpl();
const QvSwatchListSuite& SwatchListSuiteImpl();

const QvPathConstructionSuite& PathConstructionSuiteImpl();
const QvTransformArtSuite& TransformArtSuiteImpl();
const QvRealMathSuite& RealMathSuiteImpl();
const QvRealBezierSuite& RealBezierSuiteImpl();
const QvHitTestSuite& HitTestSuiteImpl();
const QvPathfinderSuite& PathfinderSuiteImpl();
const QvTextSuite& TextSuiteImpl();

/// Offers every suite above under its name and version.
void RegisterHostSuites(SuiteRegistry& registry);
/// Registers the host's own action events ("ai_plugin_offset",
/// "ai_plugin_pathfinder", and "ai_plugin_tracing", which the workbench
/// answers with kQvErrNotAvailable).
void RegisterHostActions(Host& host);

}  // namespace workbench::plugin
