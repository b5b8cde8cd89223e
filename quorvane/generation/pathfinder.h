// The host's pathfinder operations as generation uses them. Host version 25
// only offers them as the "ai_plugin_pathfinder" action on the selection;
// other versions through the pathfinder suite.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/generation/run_state.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// What a pathfinder operation acts on and how finely.
struct PathfinderData {
  /// Points.
  double precision = kPathfinderPrecision;
  bool removeRedundantPoints = false;
  /// The input art; empty for the current selection.
  std::vector<host::ArtRef> art;
};

/// The display names of the action's operations, as hex text of their UTF-8
/// bytes (分割, 交差, 追加).
inline constexpr std::string_view kDivideNameHex = "e58886e589b2";
inline constexpr std::string_view kIntersectNameHex = "e4baa4e5b7ae";
inline constexpr std::string_view kUniteNameHex = "e8bfbde58aa0";

/// The bytes written as hex digit pairs in `hex`; an incomplete or invalid
/// pair ends the text.
std::string DecodeHexText(std::string_view hex);

/// Splits the inputs into the pieces their outlines cut each other into.
QvErr PathfinderDivide(host::HostDocument& doc, const RunState& state, const PathfinderData& data);
/// Replaces the inputs with the area common to all of them.
QvErr PathfinderIntersect(host::HostDocument& doc, const RunState& state, const PathfinderData& data);
/// Replaces the inputs with their union. Above host version 25, inputs that
/// lie inside another input are disposed of first.
QvErr PathfinderUnite(host::HostDocument& doc, const RunState& state, const PathfinderData& data);

}  // namespace quorvane::generation
