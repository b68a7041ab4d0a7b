// Everything the window does beyond mirroring the model: its look, moving
// by drag, the keyboard at window level and the integer boxes. Call before
// the window is first shown.
#pragma once

#include "ui/main_form.h"

class QtWindow;

void DressWindow(MainForm& form, QtWindow& window);
