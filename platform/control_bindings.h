// One binding per control: it creates the control's Qt object, mirrors every
// write of the model into it, and reports what the user does back to the
// model (Take* calls) and as the control's events.
#pragma once

#include <QObject>
#include <memory>

#include "ui/main_form.h"

class QAction;
class QMenu;
class QTimer;
class QWidget;

class ControlBinding : public QObject, public ControlView {
 public:
  explicit ControlBinding(Control& control);
  ~ControlBinding() override;

  Control& Model() const { return control_; }
  // The control's widget; nullptr for timers and menu items.
  virtual QWidget* Widget() const { return nullptr; }
  virtual QTimer* Timer() const { return nullptr; }
  virtual QAction* Action() const { return nullptr; }

  void Changed(Control& control, Property property) override;

 protected:
  // Shows the model's current value of the property. Writes made here must
  // not come back as the user's edits: see Writing().
  virtual void Show(Property property);
  // The focus events of the watched widgets raise the control's events;
  // every other event goes to OtherEvent, which returns true to swallow it.
  bool eventFilter(QObject* watched, QEvent* event) override;
  virtual bool OtherEvent(QEvent*) { return false; }

  // True while the model's value is being put into the widget.
  bool Writing() const { return writing_ > 0; }
  void Watch(QWidget* widget);

 private:
  Control& control_;
  int writing_ = 0;
};

// Creates the binding of the control, its Qt object a child of the window
// (menu items go into the menu), attaches it to the control and shows the
// control's state. The window control binds to the window widget itself.
std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget* window, QMenu* menu);
