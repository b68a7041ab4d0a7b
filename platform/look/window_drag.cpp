#include "platform/look/window_drag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <set>

namespace {

// The part of the window that a drag must leave on the screen so that the
// window can always be taken back: the column of labels along its left side.
constexpr int kGripWidth = 55;
constexpr int kGripHeight = 128;
constexpr int kGripKept = 20;

class DragFilter : public QObject {
 public:
  DragFilter(QWidget& window, std::set<QWidget*> labels)
      : QObject(&window), window_(window), labels_(std::move(labels)) {
    window.installEventFilter(this);
    for (QWidget* label : labels_) label->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        return Press(watched, *static_cast<QMouseEvent*>(event));
      case QEvent::MouseMove:
        return Move(*static_cast<QMouseEvent*>(event));
      case QEvent::MouseButtonRelease:
        if (!following_) return false;
        following_ = false;
        return true;
      default:
        return false;
    }
  }

 private:
  // Presses that reach the window from a child it let through (a disabled
  // edit box, say) are not on the background.
  bool StartsDrag(QObject* watched, const QMouseEvent& press) const {
    if (press.button() != Qt::LeftButton) return false;
    if (labels_.count(static_cast<QWidget*>(watched)) != 0) return true;
    if (watched != &window_) return false;
    QWidget* under = window_.childAt(window_.mapFromGlobal(press.globalPosition().toPoint()));
    return under == nullptr || labels_.count(under) != 0;
  }

  bool Press(QObject* watched, const QMouseEvent& press) {
    if (!StartsDrag(watched, press)) return false;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) return true;
    following_ = true;
    grabOffset_ = press.globalPosition().toPoint() - window_.pos();
    return true;
  }

  bool Move(const QMouseEvent& move) {
    if (!following_) return false;
    if (!(move.buttons() & Qt::LeftButton)) {
      following_ = false;
      return false;
    }
    window_.move(KeptOnScreen(move.globalPosition().toPoint() - grabOffset_));
    return true;
  }

  QPoint KeptOnScreen(QPoint topLeft) const {
    const QScreen* screen = window_.screen();
    if (screen == nullptr) return topLeft;
    const QRect area = screen->availableVirtualGeometry();
    return {std::clamp(topLeft.x(), area.left() - kGripWidth + kGripKept, area.right() - kGripKept),
            std::clamp(topLeft.y(), area.top() - kGripHeight + kGripKept,
                       area.bottom() - kGripKept)};
  }

  QWidget& window_;
  std::set<QWidget*> labels_;
  bool following_ = false;
  QPoint grabOffset_;
};

}  // namespace

void InstallDragging(const MainForm& form, QWidget& window, const WidgetLookup& widgetOf) {
  std::set<QWidget*> labels;
  for (const Control* control : form.Controls()) {
    if (control->Kind() != ControlKind::Label) continue;
    if (QWidget* widget = widgetOf(*control)) labels.insert(widget);
  }
  new DragFilter(window, std::move(labels));
}
