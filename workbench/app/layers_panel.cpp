#include "workbench/app/layers_panel.h"

#include <QHeaderView>

namespace workbench::app {

namespace {

// Each row keeps its layer's handle.
constexpr int kLayerRole = Qt::UserRole + 1;

}  // namespace

LayersPanel::LayersPanel(AppSession& session, QWidget* parent) : QTreeWidget(parent), session_(session) {
  setColumnCount(3);
  setHeaderLabels({tr("Visible"), tr("Locked"), tr("Layer")});
  setRootIsDecorated(false);
  header()->setSectionResizeMode(kTitleColumn, QHeaderView::Stretch);
  header()->setSectionResizeMode(kVisibleColumn, QHeaderView::ResizeToContents);
  header()->setSectionResizeMode(kLockedColumn, QHeaderView::ResizeToContents);
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) { ItemChanged(item, column); });
  Refresh();
}

void LayersPanel::SetDark(bool dark) {
  if (!dark) {
    setPalette(QPalette());
    return;
  }
  QPalette boxes = palette();
  // Fusion's frame is the window colour darkened by 40%: this gives a mid grey.
  boxes.setColor(QPalette::Window, QColor(0xa0, 0xa0, 0xa0));
  setPalette(boxes);
}

void LayersPanel::Refresh() {
  refreshing_ = true;
  clear();
  const document::Document& doc = session_.Doc();
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const document::LayerId id = doc.LayerAt(i);
    const document::Layer* layer = doc.FindLayer(id);
    if (layer == nullptr) continue;
    auto* item = new QTreeWidgetItem(this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(kVisibleColumn, layer->visible ? Qt::Checked : Qt::Unchecked);
    item->setCheckState(kLockedColumn, layer->editable ? Qt::Unchecked : Qt::Checked);
    item->setText(kTitleColumn, QString::fromStdString(layer->title));
    item->setData(kTitleColumn, kLayerRole, QVariant::fromValue<qulonglong>(id.value));
  }
  refreshing_ = false;
}

void LayersPanel::ItemChanged(QTreeWidgetItem* item, int column) {
  if (refreshing_) return;
  const document::LayerId id{item->data(kTitleColumn, kLayerRole).toULongLong()};
  const bool checked = item->checkState(column) == Qt::Checked;
  // The session's change callback rebuilds the rows; do it after this
  // signal has returned, not from inside it.
  if (column == kVisibleColumn) {
    QMetaObject::invokeMethod(this, [this, id, checked] { session_.SetLayerVisible(id, checked); }, Qt::QueuedConnection);
  } else if (column == kLockedColumn) {
    QMetaObject::invokeMethod(this, [this, id, checked] { session_.SetLayerLocked(id, checked); }, Qt::QueuedConnection);
  }
}

}  // namespace workbench::app
