// The running program: the window model, its Qt window and the desktop
// services, built in that order and torn down in reverse.
#pragma once

#include "platform/qt_services.h"
#include "platform/qt_window.h"
#include "ui/main_form.h"

struct Program {
  MainForm form;
  // Builds the window with every control; tim starts ticking.
  QtWindow window{form};
  QtServices services{window};
};

// Gives the window its look and keyboard, binds every event to its handler,
// raises the created event (placement, first enabling state, focus,
// clipboard) and shows the window.
void StartProgram(Program& program);

// The folder that holds the running executable becomes the current one.
void EnterExecutableFolder();
