#include "platform/look/window_behaviour.h"

#include "platform/look/look.h"
#include "platform/look/window_drag.h"
#include "platform/look/window_keys.h"
#include "platform/qt_window.h"

void DressWindow(MainForm& form, QtWindow& window) {
  const WidgetLookup widgetOf = [&window](const Control& control) {
    return window.WidgetOf(control);
  };
  ApplyLook(form, window.Widget(), widgetOf);
  InstallDragging(form, window.Widget(), widgetOf);
  InstallKeyboard(form, window.Widget(), widgetOf);
}
