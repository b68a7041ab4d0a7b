// The work done once the window has been built: its placement, the first
// enabling state, and the binding of every event to its handler.
#pragma once

class MainForm;
class Services;

// Centred from left to right, a quarter of the free height from the top;
// negative (partly off screen) on a screen smaller than the window.
void CenterWindow(MainForm& form, Services& services);

// The handler of the window's created event.
void PrepareMainForm(MainForm& form, Services& services);

// Binds every event of the control table to its handler. The form and the
// services must outlive the bindings.
void BindHandlers(MainForm& form, Services& services);
