// What the SVG reader accepts at most. A file beyond one of these is refused
// with the file, the line and the limit, so that no file, however made,
// makes reading take unbounded time or memory, and every number the
// document holds can be written back.
#pragma once

#include <cstddef>

namespace workbench::svg {

/// Elements of the whole file: most of what 1 MB of the smallest elements
/// (`<g/>`, four bytes) holds. Reading takes a few microseconds an element,
/// the same at any count, so this keeps any file well within a second.
inline constexpr std::size_t kMaxElements = 200000;
/// Elements inside one another, the root counting 1.
inline constexpr int kMaxNestingDepth = 100;
/// Characters of one path's data (the d attribute, or a points list).
inline constexpr std::size_t kMaxPathDataLength = 1000000;
/// Anchors of one path (all its subpaths together).
inline constexpr std::size_t kMaxAnchorsPerPath = 20000;
/// Curves the arcs of the whole file make (an arc of a large radius makes
/// a hundred or more, each taking microseconds).
inline constexpr std::size_t kMaxArcCurves = 50000;
/// The largest magnitude of a coordinate, a length, an arc radius or a
/// transform's entry, in user units as written and in points once placed.
inline constexpr double kMaxCoordinate = 1e9;
/// The smallest and largest scale from the root's user units to points.
inline constexpr double kMinRootScale = 1e-9;
inline constexpr double kMaxRootScale = 1e9;

}  // namespace workbench::svg
