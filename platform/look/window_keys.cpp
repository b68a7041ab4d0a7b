#include "platform/look/window_keys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <map>
#include <string>

#include "ui/focus_order.h"
#include "ui/integer_input.h"

namespace {

bool AllAccepted(const QString& text) {
  const QList<uint> characters = text.toUcs4();
  return std::all_of(characters.begin(), characters.end(),
                     [](uint c) { return AcceptsTypedCharacter(static_cast<char32_t>(c)); });
}

QString Accepted(const QString& text) {
  QString kept;
  for (uint c : text.toUcs4()) {
    if (AcceptsTypedCharacter(static_cast<char32_t>(c))) {
      const char32_t one = static_cast<char32_t>(c);
      kept += QString::fromUcs4(&one, 1);
    }
  }
  return kept;
}

// Application-wide, so that it sees key and focus events before the widget's
// own filters and handlers do.
class KeyboardFilter : public QObject {
 public:
  KeyboardFilter(MainForm& form, QWidget& window, const WidgetLookup& widgetOf)
      : QObject(&window), form_(form), window_(&window), widgetOf_(widgetOf) {
    for (Control* control : form.Controls()) {
      if (QWidget* widget = widgetOf(*control)) controls_[widget] = control;
    }
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::KeyPress:
        return KeyPress(*widget, *static_cast<QKeyEvent*>(event));
      case QEvent::InputMethod:
        return InputMethod(*widget, *static_cast<QInputMethodEvent*>(event));
      case QEvent::FocusOut:
        FocusOut(*widget);
        return false;
      default:
        return false;
    }
  }

 private:
  Control* ControlOf(QWidget* widget) const {
    for (; widget != nullptr && widget != window_; widget = widget->parentWidget()) {
      const auto found = controls_.find(widget);
      if (found != controls_.end()) return found->second;
    }
    return nullptr;
  }

  Control* IntegerBox(QWidget& widget) const {
    const auto found = controls_.find(&widget);
    if (found == controls_.end() || found->second->Kind() != ControlKind::IntegerEdit) {
      return nullptr;
    }
    return found->second;
  }

  bool KeyPress(QWidget& widget, const QKeyEvent& key) {
    if (window_ == nullptr || widget.window() != window_) return false;
    switch (key.key()) {
      case Qt::Key_Escape:
        window_->close();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
        MoveFocus(widget, key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier));
        return true;
      default:
        break;
    }
    return IntegerBox(widget) != nullptr && DropsTyped(key);
  }

  static bool DropsTyped(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
      return false;
    }
    return !key.text().isEmpty() && !AllAccepted(key.text());
  }

  void MoveFocus(QWidget& from, bool shiftTab) {
    const Control* focused = ControlOf(&from);
    Control* next = NextFocus(form_, focused != nullptr ? *focused : form_.窗口, shiftTab);
    if (next == nullptr) return;
    if (QWidget* target = widgetOf_(*next)) {
      target->setFocus(shiftTab ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
  }

  // Text committed by an input method is typed text too.
  bool InputMethod(QWidget& widget, const QInputMethodEvent& event) {
    if (IntegerBox(widget) == nullptr || AllAccepted(event.commitString())) return false;
    QInputMethodEvent filtered(event.preeditString(), event.attributes());
    filtered.setCommitString(Accepted(event.commitString()), event.replacementStart(),
                             event.replacementLength());
    QCoreApplication::sendEvent(&widget, &filtered);
    return true;
  }

  void FocusOut(QWidget& widget) {
    Control* box = IntegerBox(widget);
    auto* edit = qobject_cast<QLineEdit*>(&widget);
    if (box == nullptr || edit == nullptr) return;
    std::string normalised = NormaliseIntegerText(box->Text());
    if (normalised == box->Text()) return;
    const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int length = static_cast<int>(normalised.size());
    box->SetText(std::move(normalised));
    edit->setCursorPosition(std::min(caret, length));
  }

  MainForm& form_;
  QPointer<QWidget> window_;
  WidgetLookup widgetOf_;
  std::map<QWidget*, Control*> controls_;
};

}  // namespace

void InstallKeyboard(MainForm& form, QWidget& window, const WidgetLookup& widgetOf) {
  new KeyboardFilter(form, window, widgetOf);
}
