// Tab and Shift+Tab at window level: Tab walks the controls upwards in
// creation order, Shift+Tab downwards, both wrapping.
#pragma once

#include "ui/main_form.h"

// The control that takes the focus, or nullptr when no control can.
Control* NextFocus(const MainForm& form, const Control& focused, bool shiftTab);

// Shown, enabled, a tab stop, and of a kind that takes the focus by keyboard.
bool IsFocusCandidate(const MainForm& form, const Control& control);
