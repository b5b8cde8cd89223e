// Opening and saving documents as SVG files that Inkscape and browsers open.
//
// Coordinates: the document uses points with y up; SVG uses user units with
// y down. Reading maps the root's user space onto the page:
//   x_doc = (x_user - viewBox.x) * sx,  y_doc = pageHeight - (y_user - viewBox.y) * sy,
// where sx, sy are the root's width and height in points over the viewBox's
// (1 without a viewBox or without units: user units count as points; "px"
// counts as 0.75 pt). Saving writes the same root attributes back and uses
// the inverse map, so a file keeps its frame through a round trip.
//
// Layers are Inkscape layer groups; art outside every layer is gathered into
// a layer of its own for each run of it (saved back outside every layer).
// Tags are attributes in the workbench's namespace, their values
// hex-encoded so any bytes survive.
//
// A file comes back as it went in: reading keeps each element's start tag,
// attributes and the comments, processing instructions and white space
// around it (document::SourceForm); saving writes all of that back byte for
// byte and writes anew only what the model changed since (path data in the
// element's own user space, style properties where the element gave them,
// in its style attribute or as presentation attributes). Numbers written
// anew take the shortest form that reads back as the same double. New art
// gets fresh ids that depend only on the document, so the same document
// always saves to the same bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "workbench/document/document.h"
#include "workbench/svg/result.h"

namespace workbench::svg {

/// The XML namespace of the workbench's own attributes and elements.
inline constexpr const char* kWorkbenchNamespace = "https://quorvane.org/namespaces/workbench";

/// Reads an SVG file. Errors name the file and line: malformed XML, bad
/// path data, lengths, numbers or transforms. The result has no undo steps.
Result<document::Document> ReadSvgFile(const std::filesystem::path& file);
/// Reads SVG text; `fileName` is only used in errors.
Result<document::Document> ReadSvgString(std::string_view text, const std::string& fileName);

/// The document as SVG text.
std::string WriteSvgString(const document::Document& doc);
/// Saves the document: writes a temporary file beside `file` and renames it
/// into place, so a failure never leaves a truncated file.
Result<Done> WriteSvgFile(const document::Document& doc, const std::filesystem::path& file);

}  // namespace workbench::svg
