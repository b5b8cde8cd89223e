#include "workbench/plugin/suite_support.h"

#include <algorithm>
#include <cstring>

namespace workbench::plugin::detail {

QvErr CopyText(std::string_view text, char* buffer, std::int32_t capacity, std::int32_t* length) {
  if (capacity < 0 || (capacity > 0 && buffer == nullptr)) return kQvErrBadParameter;
  if (length != nullptr) *length = static_cast<std::int32_t>(text.size());
  if (capacity > 0) {
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  return kQvNoErr;
}

QvRealPoint ToQv(geometry::Point p) { return {p.x, p.y}; }
geometry::Point FromQv(QvRealPoint p) { return {p.h, p.v}; }

QvPathSegment ToQv(const geometry::PathSegment& s) {
  QvPathSegment out{};
  out.p = ToQv(s.anchor);
  out.in = ToQv(s.in);
  out.out = ToQv(s.out);
  out.corner = s.corner ? 1 : 0;
  return out;
}

geometry::PathSegment FromQv(const QvPathSegment& s) {
  return {FromQv(s.p), FromQv(s.in), FromQv(s.out), s.corner != 0};
}

QvColor ToQv(const document::Color& c) {
  QvColor out{};
  switch (c.kind) {
    case document::ColorKind::kGray: out.kind = kQvColorGray; break;
    case document::ColorKind::kCmyk: out.kind = kQvColorCmyk; break;
    case document::ColorKind::kRgb: out.kind = kQvColorRgb; break;
    case document::ColorKind::kCustom: out.kind = kQvColorCustom; break;
  }
  out.gray = c.gray;
  out.cyan = c.cyan;
  out.magenta = c.magenta;
  out.yellow = c.yellow;
  out.black = c.black;
  out.red = c.red;
  out.green = c.green;
  out.blue = c.blue;
  out.custom = ToQv(c.custom);
  out.tint = c.tint;
  return out;
}

bool FromQv(const QvColor& in, document::Color* out) {
  document::Color c;
  switch (in.kind) {
    case kQvColorGray: c.kind = document::ColorKind::kGray; break;
    case kQvColorCmyk: c.kind = document::ColorKind::kCmyk; break;
    case kQvColorRgb: c.kind = document::ColorKind::kRgb; break;
    case kQvColorCustom: c.kind = document::ColorKind::kCustom; break;
    default: return false;
  }
  c.gray = in.gray;
  c.cyan = in.cyan;
  c.magenta = in.magenta;
  c.yellow = in.yellow;
  c.black = in.black;
  c.red = in.red;
  c.green = in.green;
  c.blue = in.blue;
  c.custom = ColorOf(in.custom);
  c.tint = in.tint;
  *out = c;
  return true;
}

QvPathStyle ToQv(const document::PathStyle& s) {
  QvPathStyle out{};
  out.fillPaint = s.fillPaint;
  out.fill.color = ToQv(s.fill.color);
  out.fill.overprint = s.fill.overprint;
  out.strokePaint = s.strokePaint;
  out.stroke.color = ToQv(s.stroke.color);
  out.stroke.overprint = s.stroke.overprint;
  out.stroke.width = s.stroke.width;
  out.stroke.dashOffset = s.stroke.dash.offset;
  std::size_t n = std::min<std::size_t>(s.stroke.dash.array.size(), kQvMaxDashes);
  out.stroke.dashCount = static_cast<std::int32_t>(n);
  std::copy_n(s.stroke.dash.array.begin(), n, out.stroke.dashes);
  out.stroke.cap = static_cast<std::int32_t>(s.stroke.cap);
  out.stroke.join = static_cast<std::int32_t>(s.stroke.join);
  out.stroke.miterLimit = s.stroke.miterLimit;
  out.evenOdd = s.evenOdd;
  return out;
}

bool FromQv(const QvPathStyle& in, document::PathStyle* out) {
  document::PathStyle s;
  if (in.stroke.dashCount < 0 || in.stroke.dashCount > kQvMaxDashes) return false;
  if (in.stroke.cap < kQvButtCap || in.stroke.cap > kQvProjectingCap) return false;
  if (in.stroke.join < kQvMiterJoin || in.stroke.join > kQvBevelJoin) return false;
  if (!FromQv(in.fill.color, &s.fill.color) || !FromQv(in.stroke.color, &s.stroke.color)) return false;
  s.fillPaint = in.fillPaint != 0;
  s.fill.overprint = in.fill.overprint != 0;
  s.strokePaint = in.strokePaint != 0;
  s.stroke.overprint = in.stroke.overprint != 0;
  s.stroke.width = in.stroke.width;
  s.stroke.dash.offset = in.stroke.dashOffset;
  s.stroke.dash.array.assign(in.stroke.dashes, in.stroke.dashes + in.stroke.dashCount);
  s.stroke.cap = static_cast<document::LineCap>(in.stroke.cap);
  s.stroke.join = static_cast<document::LineJoin>(in.stroke.join);
  s.stroke.miterLimit = in.stroke.miterLimit;
  s.evenOdd = in.evenOdd != 0;
  *out = s;
  return true;
}

bool PaintOrderOf(std::int32_t order, document::PaintOrder* out) {
  switch (order) {
    case kQvPlaceAbove: *out = document::PaintOrder::kPlaceAbove; return true;
    case kQvPlaceBelow: *out = document::PaintOrder::kPlaceBelow; return true;
    case kQvPlaceInsideOnTop: *out = document::PaintOrder::kPlaceInsideOnTop; return true;
    case kQvPlaceInsideOnBottom: *out = document::PaintOrder::kPlaceInsideOnBottom; return true;
    default: return false;
  }
}

}  // namespace workbench::plugin::detail
