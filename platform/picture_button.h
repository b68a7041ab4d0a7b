// A frameless 20 x 20 button that shows one image normally and another while
// the mouse is over it. Until it is given images it draws a plain ring.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

class PictureButton : public QAbstractButton {
 public:
  explicit PictureButton(QWidget* parent);

  void SetImages(QPixmap normal, QPixmap hover);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap hover_;
};
