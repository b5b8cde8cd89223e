// The hover tip over the command-type buttons, with the real module loaded
// by the workbench host: the headless toolkit's pointer is moved and the
// panel's timer fired by hand, and the tip the module asks for is read back.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/hover_tip.h"
#include "quorvane/panel/panel_state.h"
#include "support/loaded_module.h"
#include "workbench/ui/headless_toolkit.h"

namespace quorvane::panel {
namespace {

namespace wb = workbench;

// At the headless toolkit's scale of 1 the type button of code 10 (frame
// 17, 107, 26 × 26 in a window 500 units tall) covers x 17..43, y 367..393;
// its tip sits at its centre x 30, 10 pixels below its bottom: y 403.
constexpr QvPixelPoint kOverCode10{30, 380};
constexpr QvPixelPoint kCode10Anchor{30, 403};
// x 42 is also the left column of the code 4 button (frame 42, 107), which
// is looked at before code 10.
constexpr QvPixelPoint kOnSharedEdge{42, 380};
// Inside the panel, on none of the type buttons.
constexpr QvPixelPoint kAwayFromButtons{200, 300};

class HoverTip : public testing::LoadedModuleTest {
 protected:
  void SetUp() override {
    LoadAndStart();
    ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
    window_ = StateOf(*Globals()).window;
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { EXPECT_TRUE(Ui().ReportedErrors().empty()); }

  wb::ui::HeadlessToolkit& Ui() { return *host_.HeadlessUi(); }
  void MoveTo(QvPixelPoint where, bool over = true, bool leftDown = false) {
    Ui().MovePointer(window_, where, over, leftDown);
  }
  void Tick() { ASSERT_TRUE(Ui().FireTimer(window_, kHoverTipTimer).delivered); }
  /// The text shown, "" for no tip.
  std::string TipText() {
    const auto tip = Ui().TipOf(window_);
    return tip ? tip->text : std::string();
  }
  void ExpectTip(const std::string& text, QvPixelPoint anchor) {
    const auto tip = Ui().TipOf(window_);
    ASSERT_TRUE(tip) << "no tip, expected " << text;
    EXPECT_EQ(tip->text, text);
    EXPECT_EQ(tip->anchor.x, anchor.x);
    EXPECT_EQ(tip->anchor.y, anchor.y);
  }

  QvWindowHandle window_ = nullptr;
};

TEST_F(HoverTip, AStillPointerOverAButtonShowsItsNameUntilItRestsElsewhere) {
  EXPECT_EQ(Ui().TimerPeriod(window_, kHoverTipTimer), std::optional<std::int32_t>(kHoverTipPeriodMs));

  // The first tick only sees where the pointer went; the next, with the
  // pointer still there, shows the tip below the button.
  MoveTo(kOverCode10);
  Tick();
  EXPECT_EQ(TipText(), "");
  Tick();
  ExpectTip("45. forward", kCode10Anchor);

  // Elsewhere on the same button the same tip stays where it is.
  MoveTo({20, 370});
  Tick();
  Tick();
  ExpectTip("45. forward", kCode10Anchor);

  // Moving away leaves the tip for one tick, the still tick after it
  // removes it.
  MoveTo(kAwayFromButtons);
  Tick();
  ExpectTip("45. forward", kCode10Anchor);
  Tick();
  EXPECT_FALSE(Ui().TipOf(window_));

  // Where two buttons share a pixel column, code 4 is looked at first.
  MoveTo(kOnSharedEdge);
  Tick();
  Tick();
  ExpectTip("45. backward", {55, 403});

  // Straight from one button to another: the new name replaces the old at
  // the new button (code 0 at 17, 169: y 305..331).
  MoveTo({18, 306});
  Tick();
  ExpectTip("45. backward", {55, 403});
  Tick();
  ExpectTip("Rev. forward", {30, 341});
}

TEST_F(HoverTip, NoTipWhileTheLeftButtonIsDownOrThePointerIsOffThePanel) {
  MoveTo(kOverCode10, true, true);
  Tick();
  Tick();
  EXPECT_FALSE(Ui().TipOf(window_));

  // Released on the spot: the pointer has not moved, so the tip comes at
  // once.
  MoveTo(kOverCode10);
  Tick();
  ExpectTip("45. forward", kCode10Anchor);

  // Another window covering the button takes the tip away.
  MoveTo(kOverCode10, false, false);
  Tick();
  EXPECT_FALSE(Ui().TipOf(window_));
  MoveTo(kOverCode10);
  Tick();
  ExpectTip("45. forward", kCode10Anchor);

  // Pressing the button removes the tip too.
  MoveTo(kOverCode10, true, true);
  Tick();
  EXPECT_FALSE(Ui().TipOf(window_));
}

TEST_F(HoverTip, NamesFollowTheLanguageAndTheTipRunsWhileTheModuleIsBusy) {
  Globals()->settings.language = 0;
  MoveTo(kOverCode10);
  Tick();
  Tick();
  ExpectTip("45°順", kCode10Anchor);

  // Any language but English is Japanese; the list's padding is not shown.
  Globals()->settings.language = 2;
  MoveTo({70, 380});  // code 9, "Opening"
  Tick();
  Tick();
  ExpectTip("カンコ", {80, 403});

  // A command holding the busy flag does not hold the tip back.
  Globals()->panelBusy = 1;
  Globals()->settings.language = 1;
  MoveTo({70, 370});
  Tick();
  Tick();
  ExpectTip("Opening", {80, 403});
  Globals()->panelBusy = 0;
}

TEST_F(HoverTip, TheTimerAndTheTipGoWithThePanel) {
  MoveTo(kOverCode10);
  Tick();
  Tick();
  ASSERT_TRUE(Ui().TipOf(window_));

  // Unloaded and loaded again, the timer reaches the module's new code.
  std::string error;
  ASSERT_EQ(module_->Unload(&error), kQvNoErr) << error;
  ASSERT_EQ(module_->Reload(&error), kQvNoErr) << error;
  MoveTo(kAwayFromButtons);
  Tick();
  Tick();
  EXPECT_FALSE(Ui().TipOf(window_));

  EXPECT_EQ(module_->Shutdown(), kQvNoErr);
  EXPECT_FALSE(Ui().TimerPeriod(window_, kHoverTipTimer));
  EXPECT_FALSE(Ui().FireTimer(window_, kHoverTipTimer).delivered);
}

}  // namespace
}  // namespace quorvane::panel
