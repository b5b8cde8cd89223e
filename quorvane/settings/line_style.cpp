#include "quorvane/settings/line_style.h"

#include "sdk/art_suite.h"

namespace quorvane::settings {

std::int16_t LineColorIndex(const Settings& settings, LineKind line) {
  return line == LineKind::kSeamAllowance ? settings.seamAllowanceLineColor : settings.finishLineColor;
}

QvColor PlateColorDescription(const PlateColor& color) {
  QvColor c{};
  c.kind = kQvColorCmyk;
  c.cyan = color.components[0];
  c.magenta = color.components[1];
  c.yellow = color.components[2];
  c.black = color.components[3];
  return c;
}

namespace {

// A swatch of the name, looked for among custom-colour swatches first, then
// four-colour, then three-colour ones, as the swatch panel groups them.
bool HasSwatchNamed(host::HostDocument& document, std::string_view name) {
  const std::optional<int> count = document.SwatchCount();
  if (!count) return false;
  for (const std::int32_t kind : {kQvColorCustom, kQvColorCmyk, kQvColorRgb}) {
    for (int i = 0; i < *count; ++i) {
      const auto swatch = document.NthSwatch(i);
      if (swatch && swatch->second.kind == kind && swatch->first == name) return true;
    }
  }
  return false;
}

}  // namespace

QvColor PlateColorToDocumentColor(host::HostDocument& document, const PlateColor& color, const QvColor& fallback) {
  const std::string_view name = color.name;
  std::optional<QvCustomColorHandle> custom = document.FindCustomColor(name);
  if (!custom || *custom == nullptr) {
    custom = document.NewCustomColor(PlateColorDescription(color), true, name);
  }
  if (!custom || *custom == nullptr) return fallback;

  QvColor result{};
  result.kind = kQvColorCustom;
  result.custom = *custom;
  result.tint = 0.0;
  if (!HasSwatchNamed(document, name)) document.AddSwatch(name, result);
  return result;
}

QvPathStyle LineStyle(const Settings& settings, LineKind line, const QvColor& stroke) {
  QvPathStyle style{};  // zero: butt caps, miter joins, no dash, no overprint
  QvColor white{};
  white.kind = kQvColorGray;
  white.gray = 1.0;
  style.fillPaint = 0;
  style.fill.color = white;
  style.strokePaint = 1;
  style.stroke.color = stroke;
  style.stroke.width = line == LineKind::kSeamAllowance ? settings.seamAllowanceLineWidth : settings.finishLineWidth;
  style.stroke.miterLimit = 4.0;
  return style;
}

QvErr ApplyLineStyle(host::HostDocument& document, host::ArtRef art, const QvPathStyle& style) {
  const std::optional<std::int32_t> type = document.ArtType(art);
  if (!type) return document.LastError();
  switch (*type) {
    case kQvGroupArt: {
      const std::optional<std::vector<host::ArtRef>> children = document.Children(art);
      if (!children) return document.LastError();
      for (const host::ArtRef child : *children) {
        if (const QvErr err = ApplyLineStyle(document, child, style)) return err;
      }
      return kQvNoErr;
    }
    case kQvPathArt:
    case kQvCompoundPathArt:
      return document.SetStyle(art, style);
    default:
      return kQvNoErr;
  }
}

}  // namespace quorvane::settings
