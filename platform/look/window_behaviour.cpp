#include "platform/look/window_behaviour.h"

#include <QGuiApplication>

#include "platform/look/look.h"
#include "platform/look/window_drag.h"
#include "platform/look/window_keys.h"
#include "platform/qt_window.h"

void DressWindow(MainForm& form, QtWindow& window) {
  const WidgetLookup widgetOf = [&window](const Control& control) {
    return window.WidgetOf(control);
  };
  // Desktops on Wayland match the window to its desktop entry (name, icon)
  // by this name; the entry is installed under it.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.batchrenamer.BatchRenamer"));
  ApplyLook(form, window.Widget(), widgetOf);
  InstallDragging(form, window.Widget(), widgetOf);
  InstallKeyboard(form, window.Widget(), widgetOf);
}
