// A real workbench host for the document commands' tests: pieces on named
// layers, and measurements of the paths the commands leave.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/host/host_document.h"
#include "support/bound_host.h"

namespace quorvane::document_commands::testing {

/// A corner anchor with retracted handles.
host::PathSegment Corner(double x, double y);

/// A rectangle with corners (x, y) and (x + w, y + h), clockwise with y up
/// (positive area).
std::vector<host::PathSegment> Rectangle(double x, double y, double w, double h);

/// Left, bottom, right, top of the anchors.
struct Box {
  double left, bottom, right, top;
};
Box AnchorBox(const std::vector<host::PathSegment>& segments);

class DocumentFixture : public ::testing::Test {
 protected:
  host::HostDocument& Doc() { return bound_.Doc(); }
  workbench::plugin::Host& Host() { return bound_.Host(); }
  quorvane::testing::BoundHost& Bound() { return bound_; }

  /// The layer titled `title`, made above all layers when absent.
  host::LayerRef Layer(std::string_view title);
  /// A path on top of the layer, with a 0.75 pt black stroke, selected.
  host::ArtRef AddPath(host::LayerRef layer, const std::vector<host::PathSegment>& segments, bool closed = true);
  /// Every art on the layer titled `title`; empty when there is no such layer.
  std::vector<host::ArtRef> ArtOn(std::string_view title);
  /// Index from the top of the layer titled `title`; -1 when absent.
  int LayerIndex(std::string_view title);
  std::vector<host::PathSegment> Segments(host::ArtRef art);

 private:
  quorvane::testing::BoundHost bound_;
};

}  // namespace quorvane::document_commands::testing
