// The window's images, drawn from their vector sources at the pixel density
// of the screen they are shown on.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

enum class LookImage { QuitNormal, QuitHover, HelpNormal, HelpHover, AppIcon };

// A pixmap of the logical size, rendered at the device pixel ratio and
// tagged with it, so it is sharp on any screen.
QPixmap RenderLookImage(LookImage image, QSize logicalSize, qreal devicePixelRatio);

// The application icon in the sizes of the icon theme.
QIcon AppIcon();
