// One piece of art of the document tree and what it carries.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "workbench/document/handles.h"
#include "workbench/document/paint_list.h"
#include "workbench/document/path_style.h"
#include "workbench/document/rect.h"
#include "workbench/geometry/path_segment.h"

namespace workbench::document {

/// Kinds of art.
enum class ArtType {
  kGroup,         ///< holds child art; a layer's top group is one.
  kPath,          ///< segments with a closed flag and a style.
  kCompoundPath,  ///< holds paths only, painted as one shape.
  kText,          ///< text kept with its placement and contents.
  kPlacedImage,   ///< a linked or embedded image placed in a rectangle.
  kForeign,       ///< an element of a file the model keeps but does not interpret.
};

/// An element as a file wrote it, and what the model held right after
/// reading it. Saving compares the model with these values and writes back
/// the file's own text for every part the model has not changed since, so a
/// round trip keeps numbers, attribute order and style forms byte for byte.
/// Never changed once read: copies of the art share it.
struct SourceForm {
  /// The element's name as written ("path", "rect", "g", ...).
  std::string element;
  /// Every attribute as written, in file order.
  std::vector<std::pair<std::string, std::string>> attributes;
  /// The start tag as the file spelled it, from '<' to '>', written back
  /// while the element and its attributes are unchanged; empty when the
  /// reader could not find it in the text.
  std::string startTag;
  /// The map from the element's own coordinates to document points, its
  /// own transform included, as read.
  AffineMatrix placement;
  /// A path: its segments and closed flag; a compound path: its members'.
  std::vector<std::pair<std::vector<geometry::PathSegment>, bool>> paths;
  PathStyle style;
  std::string name;
  bool locked = false;
  bool hidden = false;
  bool showCenterPoint = false;
  std::map<std::string, std::string> tags;
};

/// What a file format read but the model does not interpret, kept so that
/// saving writes it back. Files of other formats leave it empty. (Members
/// added after `markup` have initializers, so that {id, attributes, markup}
/// still builds one.)
struct ForeignData {
  /// The element's id in the file it came from; empty when none.
  std::string sourceId;
  /// Further attributes (name, value) in file order, written back as read.
  std::vector<std::pair<std::string, std::string>> attributes;
  /// A whole element kept verbatim (text, images and unknown elements).
  std::string markup;
  /// The element as written; none for objects the file did not hold.
  std::shared_ptr<const SourceForm> source = nullptr;
  /// What stood before the element inside its parent and the model does not
  /// hold: white space, comments and processing instructions (before the
  /// root: the XML declaration and the document type too).
  std::string leading = {};
  /// Groups, layers and the root: what stood after their last element.
  std::string trailing = {};
  /// A layer the file did not have, standing for a run of art outside every
  /// layer (or the empty layer of a file without art); saved without a
  /// layer group while its title, visibility and lock are as read.
  bool synthetic = false;

  friend bool operator==(const ForeignData&, const ForeignData&) = default;
};

/// Text or a placed image: where it sits and what it shows.
struct PlacedData {
  /// Maps the element's own coordinates to document points.
  AffineMatrix placement;
  /// The element's extent in its own coordinates (for text an estimate).
  Rect localBounds;
  /// Text: its characters (UTF-8). Image: the image's reference (href).
  std::string contents;
  /// Text: the font size in the element's own units (points for text the
  /// host made); 0 for images.
  double fontSize = 0.0;
  /// Text: the colour its characters are filled with.
  Color textColor = Color::Gray(1.0);

  friend bool operator==(const PlacedData&, const PlacedData&) = default;
};

/// One node of the art tree. Read it through Document::FindArt; change it
/// through the Document's setters so that the tree stays consistent.
struct Art {
  ArtType type = ArtType::kPath;
  /// The enclosing group or compound path; none for a layer's top group.
  ArtId parent;
  /// Children of groups and compound paths, listed from the top: the first
  /// child is painted last, above the others.
  PaintList<ArtId> children;
  std::string name;
  bool selected = false;
  bool locked = false;
  bool hidden = false;
  bool showCenterPoint = false;
  /// Paths and compound paths.
  PathStyle style;
  /// Paths: anchors with their handles, in document points (y up).
  std::vector<geometry::PathSegment> segments;
  bool closed = false;
  /// Text and images.
  PlacedData placed;
  /// String tags by name; values are arbitrary byte strings, possibly empty.
  std::map<std::string, std::string> tags;
  ForeignData foreign;

  friend bool operator==(const Art&, const Art&) = default;
};

}  // namespace workbench::document
