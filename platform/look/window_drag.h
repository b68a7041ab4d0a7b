// Moving the frameless window: a left-button drag that starts on the
// window's background or on one of its labels moves it, as a title bar
// would. Where the window manager can, it does the move; elsewhere the
// window follows the mouse itself.
#pragma once

#include "platform/look/look.h"
#include "ui/main_form.h"

class QWidget;

// Lives as long as the window.
void InstallDragging(const MainForm& form, QWidget& window, const WidgetLookup& widgetOf);
