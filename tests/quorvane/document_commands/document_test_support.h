// A real workbench host, its headless toolkit and the module's globals, as
// a document command sees them in one call from the host.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_context.h"
#include "support/bound_host.h"

namespace quorvane::document_commands::testing {

/// Clockwise (y up) rectangle with corners (x, y) and (x + w, y + h).
std::vector<host::PathSegment> Rectangle(double x, double y, double w, double h);

class CommandFixture : public ::testing::Test {
 protected:
  CommandFixture();
  /// Every scripted alert and dialog answer must have been used.
  ~CommandFixture() override;

  host::HostDocument& Doc() { return bound_.Doc(); }
  workbench::plugin::Host& Host() { return bound_.Host(); }
  workbench::ui::HeadlessToolkit& Toolkit() { return bound_.Ui(); }
  const std::vector<workbench::ui::ShownDialog>& Dialogs() { return Toolkit().ShownDialogs(); }

  /// The layer titled `title`, made above all layers when absent.
  host::LayerRef Layer(const std::string& title);
  /// A path on top of the layer "Pieces", 0.75 pt stroke, added to the selection.
  host::ArtRef Piece(const std::vector<host::PathSegment>& segments, bool closed = true);
  /// The art of the layer titled `title`; empty without such a layer.
  std::vector<host::ArtRef> ArtOn(const std::string& title);
  /// Position from the top of the layer titled `title`; -1 when absent.
  int LayerIndex(const std::string& title);
  /// Queues a dialog answer in the toolkit's one-line form ("16257:ok").
  void Answer(const std::string& script);
  void ExpectAlert(const std::string& text);
  /// Expects `art` to be a closed clockwise rectangle [x0, x1] x [y0, y1].
  void ExpectRectangle(host::ArtRef art, double x0, double y0, double x1, double y1);

  quorvane::testing::BoundHost bound_;
  std::unique_ptr<host::PluginGlobals> globals_;
  host::HostUi ui_;
  panel::PanelContext ctx_;
};

}  // namespace quorvane::document_commands::testing
