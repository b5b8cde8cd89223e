// The module's own pictures in the desktop app: the canvas cursor the
// point-picking tool asks for, compared pixel for pixel with the PNG the
// module carries, and a tool whose picture the module lacks. (The module's
// tool icon in the light and the dark interface is in the window
// screenshots' palette.)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include <optional>
#include <string>

#include "desktop_fixture.h"
#include "sdk/plugin_main.h"
#include "sdk/tool_suite.h"
#include "workbench/plugin/plugin_module.h"

namespace workbench::app {
namespace {

using testing::DesktopApp;

constexpr std::int32_t kToolIcon = 16054;
constexpr std::int32_t kToolIconDark = 16055;
constexpr std::int32_t kNoHitCursor = 17001;
constexpr std::int32_t kFirstAnchorCursor = 17002;
constexpr std::int32_t kNewSetButton = 10;
constexpr std::int32_t kAddButton = 14;
constexpr std::int32_t kRevForwardButton = 15;
// Anchor 3 of the sample bodice and a point well away from its lines, in
// document points.
constexpr geometry::Point kAnchor3{350, 1320};

// The module's picture decoded here, apart from the app's own decoding.
// Both sides are compared premultiplied, as a pixmap keeps its pixels, so
// that half-transparent pixels compare exactly.
QImage Decoded(const plugin::ModuleResource& resource) {
  return QImage::fromData(resource.bytes.data(), static_cast<int>(resource.bytes.size()), "PNG")
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); }

// Equal sizes and pixels; otherwise where they first differ.
::testing::AssertionResult SamePixels(const QImage& shown, const QImage& expected) {
  if (shown.size() != expected.size()) {
    return ::testing::AssertionFailure() << "shown " << shown.width() << "x" << shown.height() << ", expected "
                                         << expected.width() << "x" << expected.height();
  }
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) != expected.pixel(x, y)) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << shown.pixel(x, y)
                                             << ", expected " << expected.pixel(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

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
  // The module's own tool names its two icons.
  EXPECT_EQ(ModuleTool().iconId, kToolIcon);
  EXPECT_EQ(ModuleTool().darkIconId, kToolIconDark);
}

TEST_F(ModulePictures, TheCanvasShowsTheCursorTheToolAsksForWithItsHotSpot) {
  ASSERT_TRUE(session_.ClickAt({161, 500}, 4.0, false));
  ChooseTool(QStringLiteral("tool:Quorvane"));
  // A set named in the Qt dialog, then "Rev. forward" added: the tool now
  // waits for an anchor.
  bool missed = false;
  std::string failure;
  testing::WhenModal([&](QWidget* dialog) { testing::TypeAndConfirm(dialog, QStringLiteral("Cursors"), &failure); },
                     &missed);
  Press(kNewSetButton);
  ASSERT_FALSE(missed) << "no name dialog";
  ASSERT_EQ(failure, "");
  Press(kRevForwardButton);
  Press(kAddButton);

  QTest::mouseMove(&Canvas(), testing::PixelOf(Canvas(), kAnchor3));
  ASSERT_EQ(widgets_->CurrentCursor(), kFirstAnchorCursor) << "the pointer over anchor 3 asks for the anchor cursor";
  const std::optional<plugin::ModuleResource> anchor = Resource(kQvCursorResource, kFirstAnchorCursor);
  ASSERT_TRUE(anchor);
  const QCursor shown = Canvas().cursor();
  EXPECT_TRUE(SamePixels(Argb(shown.pixmap()), Decoded(*anchor)));
  EXPECT_EQ(shown.hotSpot(), QPoint(anchor->hotSpotX, anchor->hotSpotY));

  QTest::mouseMove(&Canvas(), testing::PixelOf(Canvas(), testing::kBodiceInside));
  ASSERT_EQ(widgets_->CurrentCursor(), kNoHitCursor);
  const std::optional<plugin::ModuleResource> noHit = Resource(kQvCursorResource, kNoHitCursor);
  ASSERT_TRUE(noHit);
  EXPECT_TRUE(SamePixels(Argb(Canvas().cursor().pixmap()), Decoded(*noHit)));
  EXPECT_NE(Decoded(*noHit), Decoded(*anchor));

  // A cursor the module carries no picture for is a cross hair; none at all
  // gives the canvas its own cursor back.
  ASSERT_EQ(widgets_->SetCursor(ModuleTool().owner, 17999), kQvNoErr);
  EXPECT_EQ(Canvas().cursor().shape(), Qt::CrossCursor);
  ASSERT_EQ(widgets_->SetCursor(ModuleTool().owner, 0), kQvNoErr);
  EXPECT_FALSE(Canvas().testAttribute(Qt::WA_SetCursor));
}

}  // namespace
}  // namespace workbench::app
