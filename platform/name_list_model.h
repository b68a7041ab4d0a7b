// The rows of 列表框1 as a Qt model over the control's own item texts: the
// names stay byte strings and are decoded only when a row is drawn, so a
// folder of 100,000 names costs one decoding per visible row.
#pragma once

#include <QAbstractListModel>

class Control;

class NameListModel : public QAbstractListModel {
 public:
  NameListModel(const Control& list, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Follow the control after its items changed.
  void ItemsReset();
  void ItemAppended();

 private:
  const Control& list_;
  // The rows the views know of; differs from the items only while a change
  // is being announced.
  int rows_ = 0;
};
