// Drawing a document with Qt: every visible layer's paths in their stroke
// and fill, text at its placement, size and colour, and the selection.
#pragma once

#include <QColor>
#include <QPainterPath>

#include "workbench/app/view_transform.h"
#include "workbench/document/document.h"

class QPainter;

namespace workbench::app {

/// The screen colour of a document colour: gray and CMYK are amounts of ink,
/// RGB is light, a custom colour is looked up in `doc` and lightened by its
/// tint. An unknown custom colour is black.
QColor ToQColor(const document::Color& color, const document::Document& doc);

/// The outline of one path in screen pixels (closed paths closed).
QPainterPath ScreenPath(const std::vector<geometry::PathSegment>& segments, bool closed, const ViewTransform& view);

/// What the canvas draws around and under the art.
struct CanvasLook {
  QColor pasteboard{0xd8, 0xd8, 0xd8};
  QColor paper = Qt::white;
  QColor selection{0x1e, 0x78, 0xe6};
};

/// The page and every visible layer, bottom layer first, then the
/// selection highlight: selected paths traced with their anchors marked,
/// selected text and images framed. Hidden art is skipped.
void PaintDocument(QPainter& painter, const document::Document& doc, const ViewTransform& view,
                   const CanvasLook& look = {});

/// The rectangle worth showing: the page united with the bounds of all art
/// of visible layers, in document points.
document::Rect DocumentExtent(const document::Document& doc);

}  // namespace workbench::app
