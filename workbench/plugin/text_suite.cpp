// The text suite: point text over the document's text art.
#include <string>

#include "sdk/text_suite.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

namespace {

using detail::ArtOf;
using detail::CurrentDocument;
using detail::Guard;
using detail::ToQv;
using document::AffineMatrix;
using document::ArtId;
using document::ArtType;
using document::Document;

// The share of the font size one character takes across, for the extent a
// text is given without a font to measure it with.
constexpr double kCharacterWidthPerSize = 0.6;

// Text art of the current document, or the error that says why not.
QvErr FindText(QvArtHandle handle, Document** doc, const document::Art** art) {
  *doc = CurrentDocument();
  if (*doc == nullptr) return kQvErrNoDocument;
  *art = (*doc)->FindArt(ArtOf(handle));
  if (*art == nullptr) return kQvErrNoSuchArt;
  if ((*art)->type != ArtType::kText) return kQvErrWrongArtType;
  return kQvNoErr;
}

QvErr NewPointText(std::int32_t order, QvArtHandle prep, const QvRealPoint* anchor, const char* text, double fontSize,
                   const QvColor* color, QvArtHandle* newText) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    if (newText == nullptr) return kQvErrBadParameter;
    *newText = nullptr;
    if (anchor == nullptr || text == nullptr || color == nullptr || !(fontSize > 0.0)) return kQvErrBadParameter;
    document::Color fill;
    if (!detail::FromQv(*color, &fill)) return kQvErrBadParameter;
    document::PaintOrder paintOrder;
    if (!detail::PaintOrderOf(order, &paintOrder)) return kQvErrBadParameter;
    ArtId reference = ArtOf(prep);
    if (prep == nullptr) {
      reference = doc->LayerGroup(doc->CurrentLayer());
      paintOrder = order == kQvPlaceBelow || order == kQvPlaceInsideOnBottom
                       ? document::PaintOrder::kPlaceInsideOnBottom
                       : document::PaintOrder::kPlaceInsideOnTop;
    }
    if (!doc->IsValid(reference)) return kQvErrNoSuchArt;
    const ArtId art = doc->NewArt(ArtType::kText, paintOrder, reference);
    if (!art) return kQvErrBadParameter;
    // The text's own coordinates run as an SVG text's do: baseline through
    // the origin, y down. The placement turns them into document points with
    // the origin on the anchor.
    document::PlacedData placed;
    placed.placement = AffineMatrix::Translate(anchor->h, anchor->v) * AffineMatrix::Scale(1.0, -1.0);
    placed.contents = text;
    placed.fontSize = fontSize;
    placed.textColor = fill;
    const double width = kCharacterWidthPerSize * fontSize * static_cast<double>(placed.contents.size());
    placed.localBounds = {0.0, -fontSize, width, 0.0};
    doc->SetPlaced(art, std::move(placed));
    *newText = ToQv(art);
    return kQvNoErr;
  });
}

QvErr GetText(QvArtHandle text, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    Document* doc = nullptr;
    const document::Art* art = nullptr;
    if (QvErr err = FindText(text, &doc, &art)) return err;
    return detail::CopyText(art->placed.contents, buffer, capacity, length);
  });
}

QvErr GetFontSize(QvArtHandle text, double* fontSize) {
  return Guard([&]() -> QvErr {
    Document* doc = nullptr;
    const document::Art* art = nullptr;
    if (QvErr err = FindText(text, &doc, &art)) return err;
    if (fontSize == nullptr) return kQvErrBadParameter;
    *fontSize = art->placed.fontSize;
    return kQvNoErr;
  });
}

QvErr GetTextAnchor(QvArtHandle text, QvRealPoint* anchor) {
  return Guard([&]() -> QvErr {
    Document* doc = nullptr;
    const document::Art* art = nullptr;
    if (QvErr err = FindText(text, &doc, &art)) return err;
    if (anchor == nullptr) return kQvErrBadParameter;
    // The start of the baseline: the left end of the extent's bottom edge
    // in the text's own (y down) coordinates.
    const document::Rect& local = art->placed.localBounds;
    *anchor = ToQv(art->placed.placement.Apply({local.left, local.bottom}));
    return kQvNoErr;
  });
}

QvErr GetTextColor(QvArtHandle text, QvColor* color) {
  return Guard([&]() -> QvErr {
    Document* doc = nullptr;
    const document::Art* art = nullptr;
    if (QvErr err = FindText(text, &doc, &art)) return err;
    if (color == nullptr) return kQvErrBadParameter;
    *color = ToQv(art->placed.textColor);
    return kQvNoErr;
  });
}

}  // namespace

const QvTextSuite& TextSuiteImpl() {
  static const QvTextSuite suite{NewPointText, GetText, GetFontSize, GetTextAnchor, GetTextColor};
  return suite;
}

}  // namespace workbench::plugin
