#include "document_test_support.h"

#include <cmath>

#include "workbench/ui/dialog_script.h"

namespace quorvane::document_commands::testing {

CommandFixture::CommandFixture() {
  settings::FillDefaultPlateColors(Globals().settings);
  Globals().run.pointsPerUnit = Globals().settings.unitFactor;
}

CommandFixture::~CommandFixture() {
  for (const auto& shown : Prompts().Shown()) EXPECT_TRUE(shown.answered) << "unexpected: " << shown.text;
  for (const auto& dialog : Dialogs()) EXPECT_EQ(dialog.failure, "");
}

host::LayerRef CommandFixture::Layer(const std::string& title) {
  if (auto found = Doc().FindLayer(title)) return *found;
  const host::LayerRef layer = Doc().InsertLayer({}).value_or(host::LayerRef{});
  EXPECT_EQ(Doc().SetLayerTitle(layer, title), kQvNoErr);
  return layer;
}

host::ArtRef CommandFixture::Piece(const std::vector<host::PathSegment>& segments, bool closed) {
  const auto group = Doc().LayerGroup(Layer("Pieces"));
  const host::ArtRef path = Doc().NewPath(host::PaintOrder::kInsideOnTop, group.value_or(host::ArtRef{})).value();
  QvPathStyle style{};
  style.strokePaint = 1;
  style.stroke.width = 0.75;
  style.stroke.color.kind = kQvColorGray;
  style.stroke.color.gray = 1.0;
  EXPECT_EQ(Doc().SetSegments(path, segments) | Doc().SetClosed(path, closed) | Doc().SetStyle(path, style) |
                Doc().SetSelected(path, true),
            kQvNoErr);
  return path;
}

std::vector<host::ArtRef> CommandFixture::ArtOn(const std::string& title) {
  const auto layer = Doc().FindLayer(title);
  return layer ? Doc().AllArtOfLayer(*layer).value_or(std::vector<host::ArtRef>{}) : std::vector<host::ArtRef>{};
}

int CommandFixture::LayerIndex(const std::string& title) {
  for (int i = 0; i < Doc().LayerCount().value_or(0); ++i) {
    if (Doc().LayerTitle(Doc().NthLayer(i).value()) == title) return i;
  }
  return -1;
}

void CommandFixture::Answer(const std::string& script) {
  std::string error;
  auto answer = workbench::ui::ParseDialogAnswer(script, &error);
  ASSERT_TRUE(answer) << error;
  Ui().AddDialogAnswer(*answer);
}

void CommandFixture::ExpectRectangle(host::ArtRef art, double x0, double y0, double x1, double y1) {
  // The host's offset flattens and refits; straight edges come back within this.
  constexpr double kTolerance = 1e-3;
  const auto segments = Doc().Segments(art).value_or(std::vector<host::PathSegment>{});
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_TRUE(Doc().IsClosed(art).value_or(false));
  for (const auto& s : segments) {
    const bool corner = (std::abs(s.p.h - x0) < kTolerance || std::abs(s.p.h - x1) < kTolerance) &&
                        (std::abs(s.p.v - y0) < kTolerance || std::abs(s.p.v - y1) < kTolerance);
    EXPECT_TRUE(corner) << "(" << s.p.h << ", " << s.p.v << ") is no corner of [" << x0 << ", " << x1 << "] x ["
                        << y0 << ", " << y1 << "]";
  }
  EXPECT_NEAR(Doc().SignedArea(art).value_or(0.0), (x1 - x0) * (y1 - y0), 0.05);
}

}  // namespace quorvane::document_commands::testing
