#include "platform/name_list_model.h"

#include "platform/name_display.h"
#include "ui/main_form.h"

NameListModel::NameListModel(const Control& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), rows_(list.ItemCount()) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
  return DisplayText(list_.ItemText(index.row()));
}

void NameListModel::ItemsReset() {
  beginResetModel();
  rows_ = list_.ItemCount();
  endResetModel();
}

void NameListModel::ItemAppended() {
  if (list_.ItemCount() <= rows_) return ItemsReset();
  beginInsertRows(QModelIndex(), rows_, list_.ItemCount() - 1);
  rows_ = list_.ItemCount();
  endInsertRows();
}
