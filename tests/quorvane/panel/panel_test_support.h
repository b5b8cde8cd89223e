// A workbench host with its headless toolkit, the module's globals and a
// panel context bound to them, for tests of the panel and of the document
// commands. The module's own action is registered with the host so that the
// window's clicks run their commands through the command dispatch, as the
// loaded module does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_context.h"
#include "support/bound_host.h"
#include "workbench/plugin/user_prompts.h"
#include "workbench/ui/headless_toolkit.h"

namespace quorvane::panel::testing {

class PanelFixture : public ::testing::Test {
 protected:
  PanelFixture();
  /// Every prompt shown was scripted and answered, every dialog answer
  /// scripted was used and every dialog ran to its end.
  ~PanelFixture() override;

  /// Makes the panel in the language given, then its window is Window().
  void CreatePanelIn(text::Language language);
  /// The layer titled `title`, made above all layers when absent.
  host::LayerRef Layer(const std::string& title);
  /// A path on top of the layer titled `layer`, 0.75 pt stroke, added to
  /// the selection.
  host::ArtRef Piece(const std::vector<host::PathSegment>& segments, bool closed = true,
                     const std::string& layer = "Pieces");
  /// A closed square (clockwise, y up) with its lower left corner at (x, y)
  /// on the user's layer "Layer 1", selected alone.
  host::ArtRef SelectSquare(double x, double y, double size);
  /// The art of the layer titled `title`; empty without such a layer.
  std::vector<host::ArtRef> ArtOn(const std::string& title);
  /// Position from the top of the layer titled `title`; -1 when absent.
  int LayerIndex(const std::string& title);
  /// Expects `art` to be a closed clockwise rectangle [x0, x1] x [y0, y1].
  void ExpectRectangle(host::ArtRef art, double x0, double y0, double x1, double y1);
  /// The panel selected with the square; the tool selected.
  void StartWithSquare();

  /// Simulated user actions on the panel, each expected to be delivered.
  void Click(std::int32_t control);
  void SelectRow(std::int32_t control, std::int32_t row);
  void Type(std::int32_t control, const std::string& text);
  /// Answers the next "Command set Name" dialog: types `name` (unless
  /// empty) and clicks OK, or clicks Cancel.
  void AnswerNameDialog(const std::string& name, bool ok = true);
  /// Queues a dialog answer in the toolkit's one-line form ("16257:ok").
  void Answer(const std::string& script);
  void ExpectAlert(const std::string& text);
  void ExpectQuestion(const std::string& text, bool yes);

  workbench::ui::ControlState Control(std::int32_t id);
  std::vector<std::string> Rows(std::int32_t list);
  const std::vector<workbench::ui::ShownDialog>& Dialogs() { return Ui().ShownDialogs(); }
  bool Enabled(std::int32_t id) { return Control(id).enabled; }

  host::HostDocument& Doc() { return bound_.Doc(); }
  workbench::ui::HeadlessToolkit& Ui() { return bound_.Ui(); }
  workbench::plugin::UserPrompts& Prompts() { return bound_.Host().Prompts(); }
  host::PluginGlobals& Globals() { return *globals_; }
  PanelState& State() { return ctx_->State(); }
  PanelContext& Ctx() { return *ctx_; }
  QvWindowHandle Window() { return ctx_->State().window; }
  std::string ListFilePath() const;

  quorvane::testing::BoundHost bound_;
  std::unique_ptr<host::PluginGlobals> globals_;
  std::unique_ptr<host::HostUi> hostUi_;
  std::unique_ptr<PanelContext> ctx_;
};

}  // namespace quorvane::panel::testing
