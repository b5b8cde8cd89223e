// The module's own pictures in the desktop app: the canvas cursor the
// point-picking tool asks for, compared pixel for pixel with the PNG the
// module carries, and a tool whose picture the module lacks. (The module's
// tool icon in the light and the dark interface is in the window
// screenshots' palette.)
#include <QImage>
#include <QToolBar>

#include "desktop_fixture.h"
#include "quorvane/panel/panel_controls.h"
#include "sdk/tool_suite.h"

namespace workbench::app::testing {
namespace {

using namespace quorvane::panel;

constexpr std::int32_t kNoHitCursor = 17001;
constexpr std::int32_t kFirstAnchorCursor = 17002;
// Anchor 3 of the sample bodice, in document points.
constexpr geometry::Point kAnchor3{350, 1320};

// The module's picture decoded here, apart from the app's own decoding.
// Both sides are compared premultiplied, as a pixmap keeps its pixels, so
// that half-transparent pixels compare exactly.
QImage Decoded(const plugin::ModuleResource& resource) {
  return QImage::fromData(resource.bytes.data(), static_cast<int>(resource.bytes.size()), "PNG")
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); }

class ModulePictures : public DesktopApp {
 protected:
  /// The module's own tool as registered (a fresh look each time: further
  /// registrations move the registry's entries).
  const plugin::Tool& ModuleTool() {
    static const plugin::Tool kNone;
    const plugin::ToolRegistry& tools = session_.Host().Tools();
    const plugin::Tool* tool = tools.Find(tools.FindNamed("Quorvane"));
    if (tool == nullptr) ADD_FAILURE() << "the module registered no tool";
    return tool != nullptr ? *tool : kNone;
  }
  std::optional<plugin::ModuleResource> Resource(const char* type, std::int32_t id) {
    return session_.Host().FindModuleResource(ModuleTool().owner, type, id);
  }
};

TEST_F(ModulePictures, AToolWhosePictureTheModuleLacksShowsItsText) {
  // Another tool of the loaded module, registered through the host's tool
  // suite, naming a picture the module does not carry.
  const void* suite = nullptr;
  ASSERT_EQ(session_.Host().Suites().Acquire(kQvToolSuite, kQvToolSuiteVersion, &suite), kQvNoErr);
  const QvToolData unknown{"Unpictured", "Unpictured", 16999, 0, nullptr, nullptr};
  QvToolHandle handle = nullptr;
  ASSERT_EQ(static_cast<const QvToolSuite*>(suite)->AddTool(ModuleTool().owner, "Unpictured", &unknown, 0, &handle),
            kQvNoErr);
  session_.Host().Suites().Release(kQvToolSuite, kQvToolSuiteVersion);
  window_->RefreshTools();
  // A rebuilt palette's old actions linger until deleted: the one shown now.
  QAction* plain = nullptr;
  for (QAction* action : window_->findChild<QToolBar*>(QStringLiteral("tools"))->actions()) {
    if (action->objectName() == QStringLiteral("tool:Unpictured")) plain = action;
  }
  ASSERT_NE(plain, nullptr);
  EXPECT_TRUE(plain->icon().isNull());
  EXPECT_EQ(plain->text(), QStringLiteral("Unpictured"));
}

TEST_F(ModulePictures, TheCanvasShowsTheCursorTheToolAsksForWithItsHotSpot) {
  ASSERT_TRUE(session_.ClickAt({161, 500}, 4.0, false));
  ChooseTool(QStringLiteral("tool:Quorvane"));
  // A set named in the Qt dialog, then "Rev. forward" added: the tool now
  // waits for an anchor.
  bool missed = false;
  std::string failure;
  WhenModal([&](QWidget* dialog) { TypeAndConfirm(dialog, QStringLiteral("Cursors"), &failure); }, &missed);
  Press(kNewSetButton);
  ASSERT_FALSE(missed) << "no name dialog";
  ASSERT_EQ(failure, "");
  Press(kFirstTypeButton);  // Rev. forward
  Press(kAddButton);

  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), kAnchor3));
  ASSERT_EQ(widgets_->CurrentCursor(), kFirstAnchorCursor) << "the pointer over anchor 3 asks for the anchor cursor";
  const std::optional<plugin::ModuleResource> anchor = Resource(kQvCursorResource, kFirstAnchorCursor);
  ASSERT_TRUE(anchor);
  const QCursor shown = Canvas().cursor();
  EXPECT_TRUE(Argb(shown.pixmap()) == Decoded(*anchor));
  EXPECT_EQ(shown.hotSpot(), QPoint(anchor->hotSpotX, anchor->hotSpotY));

  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), kBodiceInside));
  ASSERT_EQ(widgets_->CurrentCursor(), kNoHitCursor);
  const std::optional<plugin::ModuleResource> noHit = Resource(kQvCursorResource, kNoHitCursor);
  ASSERT_TRUE(noHit);
  EXPECT_TRUE(Argb(Canvas().cursor().pixmap()) == Decoded(*noHit));
  EXPECT_NE(Decoded(*noHit), Decoded(*anchor));

  // A cursor the module carries no picture for is a cross hair; none at all
  // gives the canvas its own cursor back.
  ASSERT_EQ(widgets_->SetCursor(ModuleTool().owner, 17999), kQvNoErr);
  EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
  ASSERT_EQ(widgets_->SetCursor(ModuleTool().owner, 0), kQvNoErr);
  EXPECT_FALSE(Canvas().testAttribute(Qt::WA_SetCursor));
}

}  // namespace
}  // namespace workbench::app::testing
