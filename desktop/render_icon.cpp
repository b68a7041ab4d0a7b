// Renders an SVG into a square PNG of the given size, for the icon theme.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <source.svg> <size> <target.png>\n", argv[0]);
    return 2;
  }
  QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
  bool sizeRead = false;
  const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeRead);
  if (!renderer.isValid() || !sizeRead || size <= 0) {
    std::fprintf(stderr, "cannot render %s at %s pixels\n", argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
