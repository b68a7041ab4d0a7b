// The window's fixed look: background, the colours, alignments and fonts of
// the controls, the picture buttons' images and the window icon.
#pragma once

#include <functional>

#include "ui/main_form.h"

class QWidget;

// The widget that shows a control, nullptr for timers and menu items.
using WidgetLookup = std::function<QWidget*(const Control&)>;

// Colours go into the palettes and, where a style would paint over them
// (combo boxes), into a style sheet, so they hold under any QStyle.
void ApplyLook(const MainForm& form, QWidget& window, const WidgetLookup& widgetOf);
