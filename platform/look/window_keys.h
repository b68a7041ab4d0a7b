// The keyboard at window level, seen before the focused control: Esc closes
// the window, Enter does nothing, Tab and Shift+Tab follow the window's own
// focus order. And the integer boxes: the typing filter, and the
// normalisation on losing the focus, ahead of any focus-lost handler.
#pragma once

#include "platform/look/look.h"
#include "ui/main_form.h"

class QWidget;

// Lives as long as the window.
void InstallKeyboard(MainForm& form, QWidget& window, const WidgetLookup& widgetOf);
