/// The host's user-interface toolkit: panels with a flyout menu, controls
/// created by id inside a panel or a dialog, modal dialogs built from a
/// template, timers, owner drawing and the cursor. A desktop host shows real
/// windows; a host without a display keeps the same state headlessly and
/// answers every modal dialog from a script, failing with kQvErrNoAnswer for
/// one nobody scripted.
///
/// Coordinates of a control frame are window units: x to the right, y up
/// from the bottom edge of a window `frameHeight` units tall (the height
/// given when the window was made). The host maps them to pixels with its
/// own scale.
///
/// Setting a text, a selection or a check state from the module never sends
/// a notification; only the user's actions do.
#ifndef QUORVANE_SDK_UI_SUITE_H
#define QUORVANE_SDK_UI_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvUiSuite "QV UI Suite"
enum { kQvUiSuiteVersion = 1 };

/// A panel's client window or a dialog.
typedef struct QvWindowOpaque* QvWindowHandle;

/// Kinds of control.
enum QvControlKind {
  /// Static text; QvControlDescription::options kQvAlignRight aligns it right.
  kQvLabelControl = 0,
  /// A single-line edit field.
  kQvEditControl = 1,
  /// A drop-down whose text can also be typed.
  kQvEditableDropDownControl = 2,
  /// A drop-down list the user only picks from (items drawn by the module
  /// when kQvOwnerDrawn is set).
  kQvDropDownListControl = 3,
  /// A list box with one selected row (rows drawn by the module when
  /// kQvOwnerDrawn is set).
  kQvListControl = 4,
  /// A push button (drawn by the module when kQvOwnerDrawn is set).
  kQvPushButtonControl = 5,
  /// A button showing a picture; its text is kept but not shown.
  kQvPictureButtonControl = 6,
  kQvCheckBoxControl = 7,
  kQvRadioButtonControl = 8,
  /// A line through the middle of its frame.
  kQvSeparatorControl = 9
};

/// QvControlDescription::options.
enum QvControlOptions {
  kQvAlignRight = 1,
  kQvOwnerDrawn = 2
};

typedef struct QvControlFrame {
  int32_t x, y, width, height;
} QvControlFrame;

typedef struct QvControlDescription {
  /// Unique within its window; 0 for a control nobody addresses (labels,
  /// separators). Ids 1 and 2 of a dialog are its OK and Cancel buttons.
  int32_t id;
  int32_t kind;
  QvControlFrame frame;
  /// UTF-8; may be null.
  const char* text;
  int32_t options;
} QvControlDescription;

/// What a notification reports.
enum QvNotification {
  /// A button was pressed, a check box toggled, or a flyout item chosen
  /// (`control` is the item number).
  kQvClicked = 1,
  /// The user chose another row or item (the selection is already set).
  kQvSelectionChanged = 2,
  /// The user changed the text of an edit field or an editable drop-down.
  kQvTextChanged = 3,
  /// A timer fired; `control` is the timer's id.
  kQvTimerFired = 4,
  /// A dialog was made and its controls exist; the module fills them.
  /// `control` is 0.
  kQvDialogInit = 5,
  /// An owner-drawn control or item is to be drawn; `data` is a
  /// QvDrawItem*.
  kQvDrawItem = 6,
  /// The user chose a flyout menu item; `control` is its number.
  kQvFlyoutChosen = 7
};

/// Receives a window's notifications. `data` is the pointer given with the
/// procedure, except for kQvDrawItem. A non-zero result is reported by the
/// host and otherwise ignored.
typedef QvErr (*QvNotifyProc)(QvWindowHandle window, int32_t control, int32_t notification, void* data);

/// A colour as 0xRRGGBB.
typedef uint32_t QvRgb;

typedef struct QvPixelRect {
  int32_t left, top, right, bottom;
} QvPixelRect;

typedef struct QvPixelPoint {
  int32_t x, y;
} QvPixelPoint;

/// QvDrawItem::state.
enum QvDrawItemState {
  kQvItemSelected = 1,
  kQvItemDisabled = 2,
  kQvItemFocused = 4,
  /// A push button held down.
  kQvItemPressed = 8
};

/// The small drawing context the host gives for owner drawing, in window
/// pixels (y down). `context` goes back as the first argument of each call.
typedef struct QvDrawContext {
  void* context;
  /// Pixels per window unit.
  double scale;
  QvErr (*FillRect)(void* context, QvPixelRect rect, QvRgb color);
  QvErr (*FrameRect)(void* context, QvPixelRect rect, QvRgb color);
  QvErr (*Line)(void* context, int32_t x1, int32_t y1, int32_t x2, int32_t y2, QvRgb color);
  /// One line of UTF-8 text at `x`, vertically centred in `rect`;
  /// `centred` centres it horizontally in `rect` instead.
  QvErr (*Text)(void* context, QvPixelRect rect, int32_t x, const char* text, QvRgb color, QvBool centred);
  /// An image the module carries (PNG bytes), scaled into `rect`.
  QvErr (*Image)(void* context, QvPixelRect rect, const void* png, int32_t size);
} QvDrawContext;

typedef struct QvDrawItem {
  int32_t control;
  /// The row or item; -1 for the control's face.
  int32_t item;
  /// QvDrawItemState flags.
  int32_t state;
  QvPixelRect rect;
  const QvDrawContext* draw;
} QvDrawItem;

/// A modal dialog.
typedef struct QvDialogTemplate {
  /// The module's resource number; a script names the dialog by it.
  int32_t resourceId;
  /// UTF-8.
  const char* title;
  int32_t width, height;
  const QvControlDescription* controls;
  int32_t controlCount;
} QvDialogTemplate;

typedef struct QvUiSuite {
  // ---- Panels -------------------------------------------------------------
  /// A hidden panel of `width` by `height` units titled `title`, with an
  /// empty flyout menu; `id` is unique per host.
  QvErr (*NewPanel)(QvPluginRef self, const char* id, const char* title, int32_t width, int32_t height,
                    QvPanelHandle* panel);
  QvErr (*DeletePanel)(QvPanelHandle panel);
  /// The client window the module fills with controls; frames inside it
  /// are measured from the bottom of a window `height` units tall, as
  /// given to NewPanel, whatever size the panel has later.
  QvErr (*GetPanelWindow)(QvPanelHandle panel, QvWindowHandle* window);
  QvErr (*ShowPanel)(QvPanelHandle panel, QvBool show);
  QvErr (*IsPanelShown)(QvPanelHandle panel, QvBool* shown);
  QvErr (*SetPanelSize)(QvPanelHandle panel, int32_t width, int32_t height);
  QvErr (*GetPanelSize)(QvPanelHandle panel, int32_t* width, int32_t* height);
  /// Appends flyout item `item`; a text of "-" is a separator.
  QvErr (*AddFlyoutItem)(QvPanelHandle panel, int32_t item, const char* text);
  QvErr (*CheckFlyoutItem)(QvPanelHandle panel, int32_t item, QvBool checked);

  // ---- Windows and controls -----------------------------------------------
  /// Every notification of `window` goes to `proc` with `data`; a null proc
  /// stops them (the module does so before it is unloaded).
  QvErr (*SetNotifyProc)(QvWindowHandle window, QvNotifyProc proc, void* data);
  /// kQvErrBadParameter for an id already in the window (other than 0).
  QvErr (*CreateControl)(QvWindowHandle window, const QvControlDescription* controlDescription);
  QvErr (*SetControlText)(QvWindowHandle window, int32_t control, const char* text);
  /// Copies the text (UTF-8, NUL-terminated, cut to `capacity`); `length`
  /// gets the full length in bytes. Either pointer may be null.
  QvErr (*GetControlText)(QvWindowHandle window, int32_t control, char* buffer, int32_t capacity, int32_t* length);
  QvErr (*EnableControl)(QvWindowHandle window, int32_t control, QvBool enable);
  QvErr (*IsControlEnabled)(QvWindowHandle window, int32_t control, QvBool* enabled);
  QvErr (*SetChecked)(QvWindowHandle window, int32_t control, QvBool checked);
  QvErr (*IsChecked)(QvWindowHandle window, int32_t control, QvBool* checked);
  /// Items of lists and drop-downs.
  QvErr (*ClearItems)(QvWindowHandle window, int32_t control);
  /// Inserts before `index`; -1 appends.
  QvErr (*InsertItem)(QvWindowHandle window, int32_t control, int32_t index, const char* text);
  QvErr (*SetItemText)(QvWindowHandle window, int32_t control, int32_t index, const char* text);
  QvErr (*DeleteItem)(QvWindowHandle window, int32_t control, int32_t index);
  QvErr (*CountItems)(QvWindowHandle window, int32_t control, int32_t* count);
  QvErr (*GetItemText)(QvWindowHandle window, int32_t control, int32_t index, char* buffer, int32_t capacity,
                       int32_t* length);
  /// -1 selects nothing.
  QvErr (*SetSelection)(QvWindowHandle window, int32_t control, int32_t index);
  QvErr (*GetSelection)(QvWindowHandle window, int32_t control, int32_t* index);
  /// Gives the focus to a control and selects all its text.
  QvErr (*FocusControl)(QvWindowHandle window, int32_t control);
  /// Asks for a control (0: the whole window) to be drawn again.
  QvErr (*Invalidate)(QvWindowHandle window, int32_t control);
  /// Fires kQvTimerFired every `periodMs` until stopped.
  QvErr (*StartTimer)(QvWindowHandle window, int32_t timer, int32_t periodMs);
  QvErr (*StopTimer)(QvWindowHandle window, int32_t timer);

  // ---- Dialogs ------------------------------------------------------------
  /// Makes the dialog, sends kQvDialogInit to `proc` and runs it modally
  /// until the module calls EndDialog; `result` gets the value given there.
  /// Without a display the script answers it; kQvErrNoAnswer for a dialog
  /// nobody scripted.
  QvErr (*RunModalDialog)(QvPluginRef self, const QvDialogTemplate* dialog, QvNotifyProc proc, void* data,
                          int32_t* result);
  QvErr (*EndDialog)(QvWindowHandle dialog, int32_t result);
  /// The error sound of a refused entry.
  QvErr (*Beep)(void);

  // ---- Cursor ------------------------------------------------------------
  /// Shows the module's cursor `cursorId` while the pointer is over the
  /// document.
  QvErr (*SetCursor)(QvPluginRef self, int32_t cursorId);

  // ---- Interface theme ---------------------------------------------------
  /// Whether the host shows its dark interface theme; modules draw their
  /// owner-drawn controls to match, and hear of a change through the
  /// brightness notifier.
  QvErr (*IsInterfaceDark)(QvBool* dark);

  // ---- Panel font, pointer and tips ----------------------------------------
  /// Sets the font of a window's controls and of the text its module draws
  /// into them: a face name (UTF-8; the host falls back to a face it has)
  /// and a pixel height in window units, scaled like the frames.
  QvErr (*SetWindowFont)(QvWindowHandle window, const char* face, int32_t heightUnits);
  /// Where the pointer is, in the window's pixels from its top left corner,
  /// whether it is over this window (and not over another window above it)
  /// and whether the left mouse button is down.
  QvErr (*GetPointer)(QvWindowHandle window, QvPixelPoint* where, QvBool* overWindow, QvBool* leftButtonDown);
  /// Shows a small tip box with `text` (UTF-8) whose top left corner sits at
  /// `anchor` in the window's pixels, replacing the window's previous tip;
  /// an empty or null text removes the tip.
  QvErr (*ShowTip)(QvWindowHandle window, const char* text, QvPixelPoint anchor);
  /// The pixels a control occupies in its window (its frame at the host's
  /// scale), from the window's top left corner.
  QvErr (*GetControlRect)(QvWindowHandle window, int32_t control, QvPixelRect* rect);
} QvUiSuite;

#ifdef __cplusplus
}
#endif

#endif
