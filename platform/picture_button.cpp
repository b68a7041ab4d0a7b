#include "platform/picture_button.h"

#include <QPainter>

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void PictureButton::SetImages(QPixmap normal, QPixmap hover) {
  normal_ = std::move(normal);
  hover_ = std::move(hover);
  update();
}

QSize PictureButton::sizeHint() const { return {20, 20}; }

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool hovered = underMouse() && isEnabled();
  const QPixmap& image = hovered && !hover_.isNull() ? hover_ : normal_;
  if (!image.isNull()) {
    painter.drawPixmap(rect(), image);
    return;
  }
  const QRectF ring = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  painter.setPen(QPen(QColor(220, 40, 40), 2));
  painter.drawEllipse(ring);
}
