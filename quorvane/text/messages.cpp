#include "quorvane/text/messages.h"

#include <array>
#include <cstddef>

namespace quorvane::text {

namespace {

struct Forms {
  Message message;
  std::string_view english;
  std::string_view japanese;
};

// Indexed by Message.
constexpr Forms kCatalogue[] = {
    {Message::kSelectClosedPath, "Please select a closed path.", "閉じたパスを1つ選択して下さい。"},
    {Message::kOpenPathSelected, "Please select a closed path.", "閉じていないパスが選択されています。"},
    {Message::kWorkLayer1PathSelected, "The path on work layer 1 is selected.", "ワークレイヤー１上のパスが選択されています。"},
    {Message::kWorkLayer2PathSelected, "The path on work layer 2 is selected.", "ワークレイヤー２上のパスが選択されています。"},
    {Message::kSelectClosedPaths, "Please select one or more closed path.", "閉じたパスを1つ以上選択して下さい。"},
    {Message::kSelectObjects, "Please select objects.", "オブジェクトを選択して下さい。"},
    {Message::kSelectRasterArt, "Please select a raster art.", "ラスター画像を1つ選択して下さい。"},
    {Message::kBasicMarginFailed, "Could not generate basic seam-margin.", "基本縫代が作成できませんでした。"},
    {Message::kResultLayerSuffix, "(Auto seam-margin generate)", "(自動作成縫代)"},
    {Message::kAccomplishCommand, "Please accomplish command.", "コマンドを完成させて下さい。"},
    {Message::kInputWidth, "Please input width of command.", "コマンドの幅を入力して下さい。"},
    {Message::kInputPoint, "Please input point of command.", "コマンドのポイントを選択してください。"},
    {Message::kEditingDiscarded, "Commands you are editing will be discarded.", "編集中のコマンドは破棄されます。"},
    {Message::kSetSaved, "Command set successfully saved.", "コマンドセットを保存しました。"},
    {Message::kDiscardQuestion, "'%s' is changed. Are you sure to discard?",
     "%sは変更されています。変更を破棄してもよろしいですか？"},
    {Message::kSaveQuestion, "'%s' is changed. Do you want to save?", "%sは変更されています。保存しますか？"},
    {Message::kDeleteQuestion, "Are you sure to delete '%s'?", "%sを削除してもよろしいですか？"},
    {Message::kListFileProblems, "Some lines of the command set list were not read as written:",
     "コマンドセットリストの一部の行は書かれたとおりに読めませんでした:"},
    {Message::kMoreListFileProblems, "\n... and %s more.", "\n...ほか%s件"},
    {Message::kProposedSetName, "Command set %s", "コマンドセット%s"},
    {Message::kBasicRowLabel, "Basic seam-margin", "基本縫代"},
    {Message::kCreateFinishLineMenuItem, "Create basic finish line...", "基本仕上り線作成..."},
    {Message::kBatchApplicationMenuItem, "Batch Application...", "一括適用..."},
    {Message::kSetNameLineBreak, "A command set name cannot contain a line break.",
     "コマンドセット名に改行は使えません。"},
    {Message::kSetNameComma, "A command set name cannot contain a comma: the list file would cut the name there.",
     "コマンドセット名にカンマは使えません。"},
    {Message::kSetNameCharacter,
     "The command set name \"%s\" has a character that the list file (code page 932) cannot hold.",
     "コマンドセット名「%s」にはリストファイルに保存できない文字があります。"},
    {Message::kCancel, "Cancel", "キャンセル"},
    {Message::kSetNameTitle, "Command set Name", "コマンドセット名"},
    {Message::kSetNameLabel, "Command set Name:", "コマンドセット名："},
    {Message::kFinishLineTitle, "Create basic finish line", "基本仕上り線作成"},
    {Message::kSeamMarginLabel, "Seam-margin:", "縫代："},
    {Message::kBatchApplicationTitle, "Batch Application", "一括適用"},
    {Message::kCommandSetLabel, "Command set:", "コマンドセット："},
    {Message::kSettingsTitle, "Quorvane Settings", "Quorvane 設定"},
    {Message::kSeamAllowanceLine, "Seam allowance line", "縫い代線"},
    {Message::kFinishLine, "Finish line", "仕上がり線"},
    {Message::kLineWidth, "Line Width :", "線幅 :"},
    {Message::kLineColor, "Line Color :", "線色 :"},
    {Message::kUnit, "Unit :", "単位 :"},
    {Message::kScaledDrawing, "Enable scaled drawing (1/10)", "縮小作図に対応 (1/10)"},
    {Message::kPointWidth, "Point Width", "ポイント 幅"},
    {Message::kPanelCommandSetLabel, "Command set", "コマンドセット"},
    {Message::kPanelSeamMarginLabel, "Seam-margin :", "基本縫代："},
    {Message::kPanelStartPointLabel, "Start point :", "開始ポイント："},
    {Message::kPanelFontSizeLabel, "Font size :", "文字サイズ："},
    {Message::kPanelCommandColumns, "No. Command", "No. コマンド"},
    {Message::kPanelPreview, "Preview", "プレビュー"},
    {Message::kPanelAdjustLabel, "Adjust :", "調整："},
    {Message::kPanelNewSet, "New", "新規"},
    {Message::kPanelRemoveSet, "Remove", "削除"},
    {Message::kPanelEditSet, "Edit", "編集"},
    {Message::kPanelClear, "Clear", "クリア"},
    {Message::kPanelApply, "Apply", "適用"},
    {Message::kPanelAddCommand, "Add", "コマンド追加"},
    {Message::kPanelRemoveCommand, "Remove", "コマンド削除"},
    {Message::kPanelClearPoint, "Clear point", "ポイント変更"},
    {Message::kPanelUpdateWidth, "Update width", "幅変更"},
    {Message::kPanelSave, "Save", "保存"},
    {Message::kPanelMoveUp, "U", "↑"},
    {Message::kPanelMoveDown, "D", "↓"},
    {Message::kPanelCreate, "Create", "作成"},
    {Message::kPanelUpdate, "Update", "変更"},
    {Message::kPanelOptimize, "Optimize", "最適化"},
    {Message::kOptimizeNone, "N", "なし"},
    {Message::kOptimizeOne, "1", "１"},
    {Message::kOptimizeTwo, "2", "２"},
};

static_assert(
    [] {
      for (std::size_t i = 0; i < std::size(kCatalogue); ++i) {
        if (static_cast<std::size_t>(kCatalogue[i].message) != i) return false;
      }
      return std::size(kCatalogue) == static_cast<std::size_t>(Message::kOptimizeTwo) + 1;
    }(),
    "kCatalogue is indexed by Message and holds every message");

const Forms& FormsOf(Message message) { return kCatalogue[static_cast<std::size_t>(message)]; }

}  // namespace

std::string_view Text(Message message, Language language) {
  const Forms& forms = FormsOf(message);
  return EnglishTexts(language) ? forms.english : forms.japanese;
}

std::string_view DialogText(Message message, Language language) {
  const Forms& forms = FormsOf(message);
  return EnglishDialogs(language) ? forms.english : forms.japanese;
}

std::string TextWith(Message message, Language language, std::string_view value) {
  std::string text(Text(message, language));
  if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace quorvane::text
