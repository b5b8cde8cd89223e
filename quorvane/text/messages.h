// Every text the module shows in two forms: alerts, questions, labels and
// dialog texts, each in English and Japanese. Which form a language gets
// depends on where the text appears (see language.h): Text() for alerts,
// labels and list rows, DialogText() for the texts of dialogs.
#pragma once

#include <string>
#include <string_view>

#include "quorvane/text/language.h"

namespace quorvane::text {

enum class Message : int {
  // The selection a command needs.
  kSelectClosedPath,
  kOpenPathSelected,
  kWorkLayer1PathSelected,
  kWorkLayer2PathSelected,
  kSelectClosedPaths,
  kSelectObjects,
  kSelectRasterArt,
  // Generation.
  kBasicMarginFailed,
  kResultLayerSuffix,
  // The panel's alerts; the questions take the set's name for %s.
  kAccomplishCommand,
  kInputWidth,
  kInputPoint,
  kEditingDiscarded,
  kSetSaved,
  kDiscardQuestion,
  kSaveQuestion,
  kDeleteQuestion,
  kListFileProblems,
  /// %s: how many problems were not listed.
  kMoreListFileProblems,
  /// %s: the set's number.
  kProposedSetName,
  kBasicRowLabel,
  kCreateFinishLineMenuItem,
  kBatchApplicationMenuItem,
  // Set names the list file cannot hold; %s: the name.
  kSetNameLineBreak,
  kSetNameComma,
  kSetNameCharacter,
  // Dialogs.
  kCancel,
  kSetNameTitle,
  kSetNameLabel,
  kFinishLineTitle,
  kSeamMarginLabel,
  kBatchApplicationTitle,
  kCommandSetLabel,
  kSettingsTitle,
  kSeamAllowanceLine,
  kFinishLine,
  kLineWidth,
  kLineColor,
  kUnit,
  kScaledDrawing,
  kPointWidth,
  // The panel's controls, then the items of its optimize list.
  kPanelCommandSetLabel,
  kPanelSeamMarginLabel,
  kPanelStartPointLabel,
  kPanelFontSizeLabel,
  kPanelCommandColumns,
  kPanelPreview,
  kPanelAdjustLabel,
  kPanelNewSet,
  kPanelRemoveSet,
  kPanelEditSet,
  kPanelClear,
  kPanelApply,
  kPanelAddCommand,
  kPanelRemoveCommand,
  kPanelClearPoint,
  kPanelUpdateWidth,
  kPanelSave,
  kPanelMoveUp,
  kPanelMoveDown,
  kPanelCreate,
  kPanelUpdate,
  kPanelOptimize,
  kOptimizeNone,
  kOptimizeOne,
  kOptimizeTwo,
};

/// The English or Japanese form of an alert, label or list text.
std::string_view Text(Message message, Language language);

/// The English or Japanese form of a dialog's text.
std::string_view DialogText(Message message, Language language);

/// Text() with its "%s" replaced by `value`.
std::string TextWith(Message message, Language language, std::string_view value);

}  // namespace quorvane::text
