// What reading and saving agree on: namespaces, the page frame, and which
// elements are not drawn.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbench/document/document.h"
#include "workbench/document/rect.h"

namespace workbench::svg {

inline constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";
inline constexpr const char* kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";
inline constexpr const char* kSodipodiNamespace = "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd";
inline constexpr const char* kXlinkNamespace = "http://www.w3.org/1999/xlink";

/// The prefixes a file's root gives the namespaces the workbench reads and
/// writes itself. Each is the first well-formed prefix the root binds to the
/// namespace; without one, the usual name ("inkscape", ...) unless the root
/// binds that name to another namespace, and then `kNoPrefix`: the file has
/// no attributes of that namespace. Reading and saving both use this, so a
/// saved file means on reading back what the original meant.
inline constexpr const char* kNoPrefix = " ";  // no attribute name holds a space
struct NamespacePrefixes {
  std::string inkscape = "inkscape";
  std::string sodipodi = "sodipodi";
  std::string xlink = "xlink";
  std::string workbench = "workbench";
};
NamespacePrefixes PrefixesOfRoot(const std::vector<std::pair<std::string, std::string>>& rootAttributes);
/// Whether `prefix` can name a namespace: ASCII letters, digits, '_', '-'
/// and '.', not starting with a digit, '-' or '.'.
bool IsWellFormedPrefix(std::string_view prefix);

/// The page and the map from the root's user space to document points
/// (y flipped), from the root's width, height and viewBox attributes (any
/// may be empty). `ok` is false with a `problem` when one is malformed.
struct Frame {
  bool ok = true;
  std::string problem;
  document::Page page;
  document::AffineMatrix userToDocument;
};
Frame FrameFromRoot(std::string_view width, std::string_view height, std::string_view viewBox);

/// How a map scales lengths such as stroke widths: the square root of its
/// determinant's magnitude, exactly |a| for a uniform scale without shear.
double ScaleOf(const document::AffineMatrix& m);

/// Elements that draw nothing themselves (definitions, metadata, editor
/// settings); they are kept without a transform.
bool IsNonRendered(std::string_view elementName);

}  // namespace workbench::svg
