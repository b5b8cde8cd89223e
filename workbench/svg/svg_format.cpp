#include "workbench/svg/svg_format.h"

#include <algorithm>
#include <cmath>

#include "workbench/svg/svg_io.h"
#include "workbench/svg/svg_limits.h"
#include "workbench/svg/svg_values.h"

namespace workbench::svg {

Frame FrameFromRoot(std::string_view width, std::string_view height, std::string_view viewBox) {
  Frame f;
  auto length = [&f](std::string_view text, const char* what) -> std::optional<double> {
    text = Trim(text);
    if (text.empty() || text.back() == '%') return std::nullopt;
    auto v = ParseLengthPoints(text);
    if (!v || *v <= 0 || *v > kMaxCoordinate) {
      f.ok = false;
      f.problem = std::string("bad ") + what + " \"" + std::string(text) + "\" on the root element";
    }
    return v;
  };
  const auto w = length(width, "width");
  const auto h = length(height, "height");
  if (!f.ok) return f;
  double vbx = 0, vby = 0, sx = 1, sy = 1;
  if (!Trim(viewBox).empty()) {
    auto vb = ParseNumberList(viewBox);
    const auto within = [](double v) { return std::abs(v) <= kMaxCoordinate; };
    if (!vb || vb->size() != 4 || (*vb)[2] <= 0 || (*vb)[3] <= 0 || !std::all_of(vb->begin(), vb->end(), within)) {
      f.ok = false;
      f.problem = "bad viewBox \"" + std::string(viewBox) + "\" on the root element";
      return f;
    }
    vbx = (*vb)[0];
    vby = (*vb)[1];
    f.page.width = w.value_or((*vb)[2]);
    f.page.height = h.value_or((*vb)[3]);
    sx = f.page.width / (*vb)[2];
    sy = f.page.height / (*vb)[3];
    // A page and viewBox of wildly different sizes would place every
    // coordinate beyond what can be written back.
    for (const double scale : {sx, sy}) {
      if (!(scale >= kMinRootScale && scale <= kMaxRootScale)) {
        f.ok = false;
        f.problem = "the viewBox \"" + std::string(viewBox) + "\" scales the page by " + FormatNumber(scale) +
                    ", beyond what the reader accepts";
        return f;
      }
    }
  } else {
    if (w) f.page.width = *w;
    if (h) f.page.height = *h;
  }
  f.userToDocument = {sx, 0, 0, -sy, -vbx * sx, f.page.height + vby * sy};
  return f;
}

double ScaleOf(const document::AffineMatrix& m) {
  if (m.b == 0.0 && m.c == 0.0 && std::abs(m.a) == std::abs(m.d)) return std::abs(m.a);
  return std::sqrt(std::abs(m.a * m.d - m.b * m.c));
}

bool IsWellFormedPrefix(std::string_view prefix) {
  if (prefix.empty()) return false;
  const char first = prefix.front();
  if ((first >= '0' && first <= '9') || first == '-' || first == '.') return false;
  for (const char c : prefix) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '-' || c == '.';
    if (!ok) return false;
  }
  // "xml" and "xmlns" are reserved and cannot be bound.
  return prefix != "xml" && prefix != "xmlns";
}

NamespacePrefixes PrefixesOfRoot(const std::vector<std::pair<std::string, std::string>>& rootAttributes) {
  NamespacePrefixes result;
  const std::pair<std::string*, const char*> ours[] = {{&result.inkscape, kInkscapeNamespace},
                                                       {&result.sodipodi, kSodipodiNamespace},
                                                       {&result.xlink, kXlinkNamespace},
                                                       {&result.workbench, kWorkbenchNamespace}};
  for (const auto& [prefix, uri] : ours) {
    bool bound = false;
    bool usualTaken = false;
    for (const auto& [name, value] : rootAttributes) {
      if (name.rfind("xmlns:", 0) != 0) continue;
      const std::string_view declared = std::string_view(name).substr(6);
      if (!IsWellFormedPrefix(declared)) continue;
      if (value == uri) {
        *prefix = std::string(declared);
        bound = true;
        break;
      }
      if (declared == *prefix) usualTaken = true;
    }
    if (!bound && usualTaken) *prefix = kNoPrefix;
  }
  return result;
}

bool IsNonRendered(std::string_view name) {
  const auto colon = name.find(':');
  if (colon != std::string_view::npos) {
    // Editor data such as sodipodi:namedview and foreign metadata.
    return true;
  }
  return name == "defs" || name == "metadata" || name == "title" || name == "desc" || name == "style" ||
         name == "script";
}

}  // namespace workbench::svg
