// The panel's own drawing in the states a still picture does not show (the
// reference screenshots of the workbench's toolkit test the rest, in both
// themes), asked for through the headless toolkit at a scale of 1.5 so that
// every length shows its truncation.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "panel_test_support.h"
#include "quorvane/commands/command_set.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_drawing.h"
#include "quorvane/panel/panel_texts.h"

namespace quorvane::panel::testing {
namespace {

using workbench::ui::DrawOp;
using Kind = workbench::ui::DrawOp::Kind;

class PanelDrawing : public PanelFixture {
 protected:
  void SetUp() override {
    Ui().SetScale(1.5);
    StartWithSquare();
  }
  std::vector<DrawOp> Draw(std::int32_t control, std::int32_t item, std::int32_t state = 0) {
    std::vector<DrawOp> ops;
    const workbench::ui::ActionOutcome outcome = Ui().DrawItem(Window(), control, item, state, &ops);
    EXPECT_TRUE(outcome.delivered && outcome.result == kQvNoErr) << outcome.refusal;
    return ops;
  }
  /// The operations of `kind`, or the text operation drawing `text`.
  static std::vector<DrawOp> Only(const std::vector<DrawOp>& ops, Kind kind, const std::string& text = "") {
    std::vector<DrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                 [&](const DrawOp& op) { return op.kind == kind && (text.empty() || op.text == text); });
    return out;
  }
  static DrawOp TextOp(const std::vector<DrawOp>& ops, const std::string& text) {
    const std::vector<DrawOp> found = Only(ops, Kind::kText, text);
    EXPECT_EQ(found.size(), 1u) << text;
    return found.empty() ? DrawOp{} : found[0];
  }
};

TEST_F(PanelDrawing, CommandRowsByStateWithTheirColumns) {
  commands::CCommandSet set("S");
  set.AddCommand(commands::CommandType::kOpening);
  set.SetCommandPoint(0, 0, "a");
  set.SetCommandPoint(0, 1, "b");
  set.SetCommandWidth(0, 12.5f);
  Ctx().ui.ClearItems(Window(), kCommandList);
  Ctx().ui.AddItem(Window(), kCommandList, BasicRowText(10.0f, text::Language::kEnglish));
  Ctx().ui.AddItem(Window(), kCommandList, CommandRowText(set, 0, text::Language::kEnglish));
  const std::int32_t left = Ui().PixelRect(Window(), kCommandList)->left;

  struct Case {
    const char* name;
    bool select, disable;
    QvRgb base, mainText, otherText;
  };
  for (const Case& c : {Case{"selected", true, false, 0x808080, 0xFFFFFF, 0x444444},
                        Case{"disabled", false, true, 0xC0C0C0, 0x707070, 0x707070}}) {
    SCOPED_TRACE(c.name);
    Ctx().ui.SetSelection(Window(), kCommandList, c.select ? 1 : -1);
    Ctx().ui.Enable(Window(), kCommandList, !c.disable);
    const std::vector<DrawOp> ops = Draw(kCommandList, 1);
    const std::vector<DrawOp> fills = Only(ops, Kind::kFill);
    ASSERT_EQ(fills.size(), 3u);
    ASSERT_EQ(Only(ops, Kind::kLine).size(), 2u);
    // Row 1 of 27-pixel rows; number column to 30·s, value column from 180·s.
    EXPECT_EQ(fills[0].rect.top - Ui().PixelRect(Window(), kCommandList)->top, 27);
    EXPECT_EQ(fills[0].color, c.base);
    EXPECT_EQ(fills[1].rect.right - left, 45);
    EXPECT_EQ(fills[2].rect.left - left, 270);
    EXPECT_EQ(TextOp(ops, "a,b").x1 - left, 276);
    EXPECT_EQ(TextOp(ops, "Opening").color, c.mainText);
    EXPECT_EQ(TextOp(ops, "a,b").color, c.otherText);
  }
}

TEST_F(PanelDrawing, PushButtonsPressedDisabledAndDark) {
  Ctx().ui.Enable(Window(), kSaveButton, true);
  const std::vector<DrawOp> up = Draw(kSaveButton, -1);
  ASSERT_EQ(up.size(), 3u);
  EXPECT_EQ(up[2].rect.top - up[0].rect.top, 3) << "caption moved down by 2·s";
  EXPECT_EQ(Draw(kSaveButton, -1, kQvItemPressed)[0].color, 0x444444u);
  Ctx().ui.Enable(Window(), kSaveButton, false);
  EXPECT_EQ(Draw(kSaveButton, -1)[2].color, 0x444444u) << "a disabled caption takes the frame colour";

  Ui().SetInterfaceDark(true);
  Ctx().ui.Enable(Window(), kSaveButton, true);
  const std::vector<DrawOp> down = Draw(kSaveButton, -1, kQvItemPressed);
  EXPECT_EQ(down[0].color, 0xAAAAAAu);
  EXPECT_EQ(down[2].color, 0xCCCCCCu);
}

// (The pressed button's highlight and picture in both themes are the
// reference screenshots'.)
TEST_F(PanelDrawing, TypeButtonsHighlightTheFocusedOneAndAClickMovesThePressedOne) {
  const std::int32_t created = kFirstTypeButton + 6;  // pressed at creation
  const std::int32_t other = kFirstTypeButton;
  EXPECT_EQ(Draw(other, -1)[0].color, 0xF0F0F0u);
  EXPECT_EQ(Draw(other, -1, kQvItemFocused)[0].color, 0x808080u);
  Ctx().ui.Enable(Window(), other, true);
  Click(other);
  EXPECT_EQ(Draw(created, -1)[0].color, 0xF0F0F0u);
  EXPECT_EQ(Draw(other, -1)[0].color, 0x808080u);
}

TEST_F(PanelDrawing, OptimizeListFaceItemsAndSeparators) {
  Ctx().ui.Enable(Window(), kOptimizeList, true);
  EXPECT_EQ(Draw(kOptimizeList, 1)[0].color, 0xFFFFFFu);
  EXPECT_EQ(Draw(kOptimizeList, 1, kQvItemFocused)[0].color, kSystemLightGrey);
  Ctx().ui.AddItem(Window(), kOptimizeList, "-");
  const std::vector<DrawOp> rule = Draw(kOptimizeList, 3);
  ASSERT_EQ(rule.size(), 2u);
  EXPECT_EQ(rule[1].kind, Kind::kLine);
  EXPECT_EQ(rule[1].y1, (rule[0].rect.top + rule[0].rect.bottom) / 2);

  Ctx().ui.Enable(Window(), kOptimizeList, false);
  Ui().SetInterfaceDark(true);
  EXPECT_EQ(Draw(kOptimizeList, -1)[1].color, 0x7F7F7Fu);
}

}  // namespace
}  // namespace quorvane::panel::testing
