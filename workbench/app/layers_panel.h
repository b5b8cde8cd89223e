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

 private:
  void ItemChanged(QTreeWidgetItem* item, int column);

  AppSession& session_;
  bool refreshing_ = false;
};

}  // namespace workbench::app
