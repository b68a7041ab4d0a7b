#include "ui/focus_order.h"

#include <algorithm>
#include <vector>

namespace {

bool TakesKeyboardFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::Edit:
    case ControlKind::IntegerEdit:
    case ControlKind::Combo:
    case ControlKind::List:
      return true;
    case ControlKind::Window:
    case ControlKind::Timer:
    case ControlKind::PictureButton:
    case ControlKind::Label:
    case ControlKind::MenuItem:
      return false;
  }
  return false;
}

}  // namespace

bool IsFocusCandidate(const MainForm& form, const Control& control) {
  return &control != &form.编辑框_文件夹地址 && TakesKeyboardFocus(control.Kind()) &&
         control.TabStop() && control.Visible() && !control.Disabled();
}

Control* NextFocus(const MainForm& form, const Control& focused, bool shiftTab) {
  const std::vector<Control*>& controls = form.Controls();
  const auto here = std::find(controls.begin(), controls.end(), &focused);
  const auto candidate = [&form](const Control* control) {
    return IsFocusCandidate(form, *control);
  };
  if (shiftTab) {
    // The first candidate after the focused control, else the first of all.
    const auto from = here == controls.end() ? controls.begin() : here + 1;
    auto next = std::find_if(from, controls.end(), candidate);
    if (next == controls.end()) next = std::find_if(controls.begin(), controls.end(), candidate);
    return next == controls.end() ? nullptr : *next;
  }
  // The last candidate before the focused control, else the last of all.
  const auto before = std::make_reverse_iterator(here == controls.end() ? controls.end() : here);
  auto next = std::find_if(before, controls.rend(), candidate);
  if (next == controls.rend()) next = std::find_if(controls.rbegin(), controls.rend(), candidate);
  return next == controls.rend() ? nullptr : *next;
}
