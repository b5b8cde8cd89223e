// The panel's own drawing, asked for through the headless toolkit as the
// host asks for it: the recorded fills, frames, lines, texts and pictures
// in window pixels, at a scale that is not 1 so that every length shows
// its truncation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "panel_test_support.h"
#include "quorvane/commands/command_set.h"
#include "quorvane/panel/icons/icon_resources.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_drawing.h"
#include "quorvane/panel/panel_texts.h"

namespace quorvane::panel::testing {
namespace {

using workbench::ui::DrawOp;
using Kind = workbench::ui::DrawOp::Kind;
using commands::CommandType;

constexpr double kScale = 1.5;

class PanelDrawing : public PanelFixture {
 protected:
  void SetUp() override {
    // The panel enabled by the tool over a selected closed path.
    Ui().SetScale(kScale);
    StartWithSquare();
  }

  std::vector<DrawOp> Draw(std::int32_t control, std::int32_t item, std::int32_t state = 0) {
    std::vector<DrawOp> ops;
    const workbench::ui::ActionOutcome outcome = Ui().DrawItem(Window(), control, item, state, &ops);
    EXPECT_TRUE(outcome.delivered) << outcome.refusal;
    EXPECT_EQ(outcome.result, kQvNoErr);
    return ops;
  }

  // The command list holding the basic row and one "Opening" at a,b.
  void FillCommandList() {
    commands::CCommandSet set("S");
    set.AddCommand(CommandType::kOpening);
    set.SetCommandPoint(0, 0, "a");
    set.SetCommandPoint(0, 1, "b");
    set.SetCommandWidth(0, 12.5f);
    Ctx().ui.ClearItems(Window(), kCommandList);
    Ctx().ui.AddItem(Window(), kCommandList, BasicRowText(10.0f, true));
    Ctx().ui.AddItem(Window(), kCommandList, CommandRowText(set, 0, true));
  }

  static std::vector<DrawOp> OfKind(const std::vector<DrawOp>& ops, Kind kind) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops) {
      if (op.kind == kind) out.push_back(op);
    }
    return out;
  }
  static const DrawOp* TextOp(const std::vector<DrawOp>& ops, const std::string& text) {
    for (const DrawOp& op : ops) {
      if (op.kind == Kind::kText && op.text == text) return &op;
    }
    return nullptr;
  }
};

struct RowCase {
  const char* name;
  std::int32_t extraState;
  bool select;
  bool disable;
  QvRgb base, mainText, otherText;
};

TEST_F(PanelDrawing, CommandRowColoursAndColumnsByState) {
  FillCommandList();
  const RowCase cases[] = {
      {"normal", 0, false, false, 0xC0C0C0, 0x444444, 0x444444},
      {"selected", 0, true, false, 0x808080, 0xFFFFFF, 0x444444},
      {"disabled", 0, false, true, 0xC0C0C0, 0x707070, 0x707070},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    Ctx().ui.SetSelection(Window(), kCommandList, c.select ? 1 : -1);
    Ctx().ui.Enable(Window(), kCommandList, !c.disable);
    const std::vector<DrawOp> ops = Draw(kCommandList, 1);
    const QvPixelRect list = *Ui().PixelRect(Window(), kCommandList);
    const std::int32_t left = list.left;
    const std::int32_t top = list.top + static_cast<std::int32_t>(18 * kScale);
    const std::int32_t bottom = top + static_cast<std::int32_t>(18 * kScale);

    const std::vector<DrawOp> fills = OfKind(ops, Kind::kFill);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].color, c.base);
    EXPECT_EQ(fills[0].rect.top, top);
    EXPECT_EQ(fills[0].rect.bottom, bottom);
    // Number column to 30·s, value column from 180·s, both 0xB0B0B0.
    EXPECT_EQ(fills[1].rect.left, left);
    EXPECT_EQ(fills[1].rect.right, left + 45);
    EXPECT_EQ(fills[2].rect.left, left + 270);
    EXPECT_EQ(fills[2].rect.right, list.right);
    EXPECT_EQ(fills[1].color, 0xB0B0B0u);
    EXPECT_EQ(fills[2].color, 0xB0B0B0u);

    const std::vector<DrawOp> lines = OfKind(ops, Kind::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].color, 0xEEEEEEu);
    EXPECT_EQ(lines[0].y1, bottom - 1);
    EXPECT_EQ(lines[1].color, 0x808080u);
    EXPECT_EQ(lines[1].x1, left + 330);
    EXPECT_EQ(lines[1].x2, left + 330);

    const DrawOp* number = TextOp(ops, "2");
    const DrawOp* name = TextOp(ops, "Opening");
    const DrawOp* point = TextOp(ops, "a,b");
    const DrawOp* width = TextOp(ops, "12.5");
    ASSERT_TRUE(number && name && point && width);
    EXPECT_EQ(number->x1, left + 6);
    EXPECT_EQ(name->x1, left + 51);
    EXPECT_EQ(point->x1, left + 276);
    EXPECT_EQ(width->x1, left + 336);
    EXPECT_EQ(name->color, c.mainText);
    EXPECT_EQ(number->color, c.otherText);
    EXPECT_EQ(width->color, c.otherText);
  }
}

TEST_F(PanelDrawing, BasicRowAndSetRowColumns) {
  FillCommandList();
  const std::vector<DrawOp> basic = Draw(kCommandList, 0);
  const QvPixelRect list = *Ui().PixelRect(Window(), kCommandList);
  const std::vector<DrawOp> fills = OfKind(basic, Kind::kFill);
  ASSERT_EQ(fills.size(), 3u);
  // The basic row's value column starts at 220·s and has no rule.
  EXPECT_EQ(fills[2].rect.left, list.left + 330);
  EXPECT_EQ(OfKind(basic, Kind::kLine).size(), 1u);
  ASSERT_NE(TextOp(basic, "Basic seam-margin"), nullptr);
  ASSERT_NE(TextOp(basic, "10.0"), nullptr);
  EXPECT_EQ(TextOp(basic, "10.0")->x1, list.left + 336);
  EXPECT_EQ(OfKind(basic, Kind::kText).size(), 3u) << "no point column on the basic row";

  Ctx().ui.AddItem(Window(), kSetList, "Bodice front");
  const std::vector<DrawOp> set = Draw(kSetList, 0);
  const QvPixelRect sets = *Ui().PixelRect(Window(), kSetList);
  ASSERT_EQ(OfKind(set, Kind::kFill).size(), 1u) << "the set list has no columns";
  const DrawOp* text = TextOp(set, "Bodice front");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x1, sets.left + 3);
  EXPECT_EQ(text->color, 0x444444u);
}

TEST_F(PanelDrawing, JapaneseRowsSplitByDisplayColumns) {
  commands::CCommandSet set("S");
  set.AddCommand(CommandType::kCutOff);
  set.SetCommandPoint(0, 0, "12");
  set.SetCommandWidth(0, 3.0f);
  const CommandRowColumns columns = SplitCommandRow(CommandRowText(set, 0, false));
  EXPECT_EQ(columns.number, "2");
  EXPECT_EQ(columns.name.find(' '), std::string::npos) << columns.name;
  EXPECT_FALSE(columns.name.empty());
  EXPECT_EQ(columns.point, "12");
  EXPECT_EQ(columns.width, "3.0");
  EXPECT_TRUE(IsBasicRow(BasicRowText(1.0f, false)));
  EXPECT_FALSE(IsBasicRow(CommandRowText(set, 0, false)));
}

TEST_F(PanelDrawing, PushButtonPressedDisabledAndDark) {
  // Without a set, saving is refused: enabled here to see both faces.
  Ctx().ui.Enable(Window(), kSaveButton, true);
  const QvPixelRect rect = *Ui().PixelRect(Window(), kSaveButton);
  std::vector<DrawOp> up = Draw(kSaveButton, -1);
  std::vector<DrawOp> down = Draw(kSaveButton, -1, kQvItemPressed);
  ASSERT_EQ(up.size(), 3u);
  ASSERT_EQ(down.size(), 3u);
  EXPECT_EQ(up[0].color, 0xF0F0F0u);
  EXPECT_EQ(down[0].color, 0x444444u);
  EXPECT_EQ(up[1].kind, Kind::kFrame);
  EXPECT_EQ(up[1].color, 0x444444u);
  EXPECT_EQ(up[2].text, "Save");
  EXPECT_TRUE(up[2].centred);
  EXPECT_EQ(up[2].rect.top, rect.top + 3);
  EXPECT_EQ(up[2].color, 0x333333u);

  Ctx().ui.Enable(Window(), kSaveButton, false);
  EXPECT_EQ(Draw(kSaveButton, -1)[2].color, 0x444444u) << "a disabled caption takes the frame colour";

  Ui().SetInterfaceDark(true);
  Ctx().ui.Enable(Window(), kSaveButton, true);
  down = Draw(kSaveButton, -1, kQvItemPressed);
  EXPECT_EQ(down[0].color, 0xAAAAAAu);
  EXPECT_EQ(down[2].color, 0xCCCCCCu);
}

TEST_F(PanelDrawing, TypeButtonsHighlightThePressedOneAndShowTheirPicture) {
  // Creation presses button 21 (Extended one-side).
  const std::int32_t pressed = kFirstTypeButton + 6;
  const std::int32_t other = kFirstTypeButton + 0;
  Ctx().ui.Enable(Window(), other, true);
  const QvPixelRect rect = *Ui().PixelRect(Window(), pressed);
  std::vector<DrawOp> ops = Draw(pressed, -1);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].color, 0x808080u);
  EXPECT_EQ(ops[1].kind, Kind::kFrame);
  EXPECT_EQ(ops[1].color, 0x444444u);
  ASSERT_EQ(ops[2].kind, Kind::kImage);
  EXPECT_EQ(ops[2].rect.left, rect.left);
  EXPECT_EQ(ops[2].rect.right - ops[2].rect.left, 39);
  EXPECT_EQ(ops[2].rect.bottom - ops[2].rect.top, 39);
  EXPECT_EQ(static_cast<std::size_t>(ops[2].imageSize), IconFor(6, false)->size());
  EXPECT_EQ(Draw(other, -1)[0].color, 0xF0F0F0u);
  EXPECT_EQ(Draw(other, -1, kQvItemFocused)[0].color, 0x808080u);

  // A click moves the highlight; the dark theme shows the dark picture.
  Click(other);
  Ui().SetInterfaceDark(true);
  EXPECT_EQ(Draw(pressed, -1)[0].color, 0x535353u);
  ops = Draw(other, -1);
  EXPECT_EQ(ops[0].color, 0x222222u);
  EXPECT_EQ(ops[1].color, 0xAAAAAAu);
  EXPECT_EQ(static_cast<std::size_t>(ops[2].imageSize), IconFor(0, true)->size());
}

TEST(PanelIcons, EveryPictureIsA52PixelPng) {
  const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (std::int32_t base : {kDarkIconBase, kLightIconBase}) {
    for (int code = 0; code < kIconCodes; ++code) {
      SCOPED_TRACE(base + code);
      auto png = FindIcon(base + code);
      ASSERT_TRUE(png);
      ASSERT_GT(png->size(), 24u);
      EXPECT_EQ(std::memcmp(png->data(), signature, sizeof signature), 0);
      EXPECT_EQ(std::memcmp(png->data() + 12, "IHDR", 4), 0);
      auto be32 = [&](std::size_t at) {
        return (std::uint32_t{(*png)[at]} << 24) | (std::uint32_t{(*png)[at + 1]} << 16) |
               (std::uint32_t{(*png)[at + 2]} << 8) | std::uint32_t{(*png)[at + 3]};
      };
      EXPECT_EQ(be32(16), 52u);
      EXPECT_EQ(be32(20), 52u);
    }
  }
  EXPECT_NE(FindIcon(kDarkIconBase + 3)->data(), FindIcon(kLightIconBase + 3)->data());
  EXPECT_FALSE(FindIcon(kDarkIconBase + kIconCodes));
  EXPECT_FALSE(FindIcon(kDarkIconBase - 1));
}

TEST_F(PanelDrawing, OptimizeListFaceItemsAndSeparators) {
  Ctx().ui.Enable(Window(), kOptimizeList, true);
  const QvPixelRect rect = *Ui().PixelRect(Window(), kOptimizeList);
  std::vector<DrawOp> face = Draw(kOptimizeList, -1);
  ASSERT_EQ(face.size(), 2u);
  EXPECT_EQ(face[0].color, 0xE5E5E5u);
  EXPECT_EQ(face[1].text, "N");
  EXPECT_EQ(face[1].x1, rect.left + 2);
  EXPECT_EQ(face[1].color, 0x000000u);
  EXPECT_EQ(Draw(kOptimizeList, 1)[0].color, 0xFFFFFFu);
  EXPECT_EQ(Draw(kOptimizeList, 1, kQvItemFocused)[0].color, kSystemLightGrey);

  Ctx().ui.AddItem(Window(), kOptimizeList, "-");
  std::vector<DrawOp> rule = Draw(kOptimizeList, 3);
  ASSERT_EQ(rule.size(), 2u);
  EXPECT_EQ(rule[1].kind, Kind::kLine);
  EXPECT_EQ(rule[1].y1, (rule[0].rect.top + rule[0].rect.bottom) / 2);
  EXPECT_EQ(rule[1].color, 0x7F7F7Fu);

  Ctx().ui.Enable(Window(), kOptimizeList, false);
  EXPECT_EQ(Draw(kOptimizeList, -1)[1].color, 0x333333u);
  Ui().SetInterfaceDark(true);
  face = Draw(kOptimizeList, -1);
  EXPECT_EQ(face[0].color, kSystemLightGrey);
  EXPECT_EQ(face[1].color, 0x7F7F7Fu);
}

}  // namespace
}  // namespace quorvane::panel::testing
