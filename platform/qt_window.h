// The main window on Qt Widgets: a frameless, fixed-size top-level widget
// with one Qt object per control of the MainForm, mirroring the model.
#pragma once

#include <chrono>
#include <memory>
#include <vector>

#include "ui/main_form.h"

class ControlBinding;
class QAction;
class QMenu;
class QTimer;
class QWidget;

class QtWindow {
 public:
  // Builds every control in creation order; timers with a period start.
  explicit QtWindow(MainForm& form);
  ~QtWindow();
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  QWidget& Widget() const { return *window_; }
  // nullptr for the controls that are no widgets (timers, menu items).
  QWidget* WidgetOf(const Control& control) const;
  QTimer* TimerOf(const Control& control) const;
  QAction* ActionOf(const Control& control) const;
  // The popup menu "右键".
  QMenu& PopupMenu() const { return *menu_; }

  // While busy the busy cursor shows and the window's close waits; the
  // outermost EndBusy closes it if a close was asked for meanwhile.
  void BeginBusy();
  void EndBusy();
  bool Busy() const { return busyDepth_ > 0; }
  // A close request of the platform: true when the window may close now.
  bool AllowClose();

 private:
  ControlBinding* BindingOf(const Control& control) const;
  // MainForm's event pump: lets pending events run without waiting, at most
  // about once a millisecond, so that a caller may ask after every name.
  void Pump();

  MainForm& form_;
  std::unique_ptr<QWidget> window_;
  QMenu* menu_ = nullptr;  // owned by the window
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  int busyDepth_ = 0;
  bool closePending_ = false;
  std::chrono::steady_clock::time_point lastPump_{};
};
