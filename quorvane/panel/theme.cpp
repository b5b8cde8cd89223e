#include "quorvane/panel/theme.h"

#include <string>

#include "quorvane/settings/settings.h"

namespace quorvane::panel {

Theme MakeTheme(bool dark) {
  Theme t;
  t.dark = dark;
  // The host's panels: a mid-dark grey in the dark theme, a near-white one
  // in the light theme.
  t.background = dark ? 0x535353 : 0xF0F0F0;
  t.text = dark ? 0xCCCCCC : 0x333333;
  t.editText = 0x000000;
  t.editBackground = dark ? 0xCCCCCC : 0xE5E5E5;
  t.separator = dark ? 0x666666 : 0x999999;
  t.pushFrame = dark ? 0xAAAAAA : 0x444444;
  t.typeFrame = dark ? 0xAAAAAA : 0x444444;
  t.typeHighlight = dark ? 0x222222 : 0x808080;
  t.listBackground = 0xC0C0C0;
  return t;
}

bool DarkInterface(host::HostUi& ui) { return ui.IsInterfaceDark().value_or(false); }

std::string_view PanelFontFace(text::Language language) {
  return text::EnglishTexts(language) ? kLatinFace : kJapaneseFace;
}

QvErr ApplyPanelFont(host::HostUi& ui, QvWindowHandle window, text::Language language) {
  return ui.SetWindowFont(window, std::string(PanelFontFace(language)), kPanelFontUnits);
}

}  // namespace quorvane::panel
