#include "workbench/svg/svg_format.h"

#include "workbench/svg/svg_values.h"

namespace workbench::svg {

Frame FrameFromRoot(std::string_view width, std::string_view height, std::string_view viewBox) {
  Frame f;
  auto length = [&f](std::string_view text, const char* what) -> std::optional<double> {
    text = Trim(text);
    if (text.empty() || text.back() == '%') return std::nullopt;
    auto v = ParseLengthPoints(text);
    if (!v || *v <= 0) {
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
    if (!vb || vb->size() != 4 || (*vb)[2] <= 0 || (*vb)[3] <= 0) {
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
  } else {
    if (w) f.page.width = *w;
    if (h) f.page.height = *h;
  }
  f.userToDocument = {sx, 0, 0, -sy, -vbx * sx, f.page.height + vby * sy};
  return f;
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
