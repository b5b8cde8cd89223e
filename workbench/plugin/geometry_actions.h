// Suite functions and host actions that run the workbench geometry services.
#pragma once

#include <cstdint>

#include "sdk/action_manager_suite.h"
#include "sdk/hit_test_suite.h"
#include "sdk/pathfinder_suite.h"
#include "sdk/types.h"
#include "workbench/document/document.h"
#include "workbench/plugin/action_registry.h"

namespace workbench::plugin {

/// Maps `art` and everything inside it by `m` (document points, y up):
/// with kQvTransformObjects in `flags` the paths' anchors and handles and
/// the placement of text and images, with kQvTransformStrokeWidths the
/// paths' stroke widths scaled by `lineScale`. Locks are not looked at.
void TransformArtTree(document::Document& doc, document::ArtId art, const document::AffineMatrix& m, double lineScale,
                      std::int32_t flags);
QvErr SegmentsToPointsImpl(const QvPathSegment* segments, std::int32_t segmentCount, double flatness,
                           double maxStep, const QvAllocatorPair* allocator, QvOutlinePoint** points,
                           std::int32_t* pointCount);
QvErr OptimizePathImpl(QvArtHandle path, double tolerance);
QvErr HitTestImpl(QvArtHandle art, const QvRealPoint* p, double tolerance, std::int32_t request,
                  QvHitResult* result);
/// `operation` is a QvPathfinderOperation. Inputs (or the selected paths and
/// compound paths) that are locked are left alone; the others are replaced
/// by the results, placed where the topmost input was, selected.
QvErr PathfinderImpl(int operation, const QvPathfinderData* data);
/// "ai_plugin_offset": each selected, unlocked path gets its offset
/// outlines directly above it, selected; the input stays.
QvErr OffsetAction(const ActionPlay& play);
/// "ai_plugin_pathfinder" on the selection; 'name' picks the operation.
QvErr PathfinderAction(const ActionPlay& play);

}  // namespace workbench::plugin
