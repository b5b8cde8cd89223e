#include "reverse_path.h"

namespace workbench::geometry {

PathData ReversePath(const PathData& path) {
  PathData out;
  out.closed = path.closed;
  out.segments.reserve(path.segments.size());
  for (auto it = path.segments.rbegin(); it != path.segments.rend(); ++it) {
    out.segments.push_back({it->anchor, it->out, it->in, it->corner});
  }
  return out;
}

}  // namespace workbench::geometry
