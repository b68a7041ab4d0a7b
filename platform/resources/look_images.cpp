#include "platform/resources/look_images.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cmath>

namespace {

QString ResourcePath(LookImage image) {
  switch (image) {
    case LookImage::QuitNormal: return QStringLiteral(":/look/quit.svg");
    case LookImage::QuitHover: return QStringLiteral(":/look/quit-hover.svg");
    case LookImage::HelpNormal: return QStringLiteral(":/look/help.svg");
    case LookImage::HelpHover: return QStringLiteral(":/look/help-hover.svg");
    case LookImage::AppIcon: return QStringLiteral(":/look/app-icon.svg");
  }
  return {};
}

}  // namespace

QPixmap RenderLookImage(LookImage image, QSize logicalSize, qreal devicePixelRatio) {
  if (devicePixelRatio <= 0) devicePixelRatio = 1;
  const QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
                     static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio)));
  QPixmap pixmap(pixels);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(ResourcePath(image));
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {128, 96, 72, 64, 48, 32}) {
    icon.addPixmap(RenderLookImage(LookImage::AppIcon, QSize(size, size), 1));
  }
  return icon;
}
