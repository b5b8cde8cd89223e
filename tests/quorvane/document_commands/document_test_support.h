// The panel's fixture (a real workbench host, its headless toolkit and the
// module's globals) as a document command sees it in one call from the
// host, with pieces on the layer "Pieces".
#pragma once

#include <string>
#include <vector>

#include "quorvane/panel/panel_test_support.h"

namespace quorvane::document_commands::testing {

using quorvane::testing::Rectangle;

class CommandFixture : public panel::testing::PanelFixture {
 protected:
  CommandFixture();
  /// Every prompt shown was scripted and every dialog ran to its end.
  ~CommandFixture() override;

  const std::vector<workbench::ui::ShownDialog>& Dialogs() { return Ui().ShownDialogs(); }
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
  /// Expects `art` to be a closed clockwise rectangle [x0, x1] x [y0, y1].
  void ExpectRectangle(host::ArtRef art, double x0, double y0, double x1, double y1);
};

}  // namespace quorvane::document_commands::testing
