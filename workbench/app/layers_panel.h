// The layers list: one row a layer, topmost first, with check boxes that
// show or hide it and lock or unlock it.
#pragma once

#include <QTreeWidget>

#include "workbench/app/app_session.h"

namespace workbench::app {

class LayersPanel : public QTreeWidget {
 public:
  enum Column { kVisibleColumn = 0, kLockedColumn = 1, kTitleColumn = 2 };

  explicit LayersPanel(AppSession& session, QWidget* parent = nullptr);
  /// Rebuilds the rows from the document.
  void Refresh();
  /// Follows the interface's theme. In the dark one the check boxes get a
  /// frame that stands out from the list's ground: Fusion draws it a shade
  /// darker than the window colour, which on a dark ground is no frame at
  /// all, so an unchecked box would vanish.
  void SetDark(bool dark);

 private:
  void ItemChanged(QTreeWidgetItem* item, int column);

  AppSession& session_;
  bool refreshing_ = false;
};

}  // namespace workbench::app
