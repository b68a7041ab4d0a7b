#include "platform/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include "platform/control_bindings.h"

namespace {

class FormWidget : public QWidget {
 public:
  explicit FormWidget(QtWindow& owner)
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (owner_.AllowClose()) {
      event->accept();
    } else {
      event->ignore();
    }
  }

 private:
  QtWindow& owner_;
};

// The captions are Chinese: a face with CJK glyphs comes first, whatever
// the desktop's default face is.
QFont InterfaceFont() {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback"),
                    font.family()});
  return font;
}

// Cursor changes wait in the X output buffer until the next event round,
// which a renaming loop does not make.
void FlushWindowSystem() {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 != nullptr && x11->connection() != nullptr) xcb_flush(x11->connection());
}

}  // namespace

QtWindow::QtWindow(MainForm& form) : form_(form) {
  QApplication::setFont(InterfaceFont());
  window_ = std::make_unique<FormWidget>(*this);
  menu_ = new QMenu(window_.get());
  menu_->setObjectName(QStringLiteral("右键"));
  bindings_.push_back(BindControl(form_.窗口, window_.get(), menu_));
  for (Control* control : form_.Controls()) {
    bindings_.push_back(BindControl(*control, window_.get(), menu_));
  }
  // The first control of the table lies on top.
  for (const auto& binding : bindings_) {
    if (QWidget* widget = binding->Widget()) widget->lower();
  }
  form_.SetEventPump([this] { Pump(); });
}

QtWindow::~QtWindow() {
  form_.SetEventPump(nullptr);
  bindings_.clear();
}

ControlBinding* QtWindow::BindingOf(const Control& control) const {
  for (const auto& binding : bindings_) {
    if (&binding->Model() == &control) return binding.get();
  }
  return nullptr;
}

QWidget* QtWindow::WidgetOf(const Control& control) const {
  ControlBinding* binding = BindingOf(control);
  return binding != nullptr ? binding->Widget() : nullptr;
}

QTimer* QtWindow::TimerOf(const Control& control) const {
  ControlBinding* binding = BindingOf(control);
  return binding != nullptr ? binding->Timer() : nullptr;
}

QAction* QtWindow::ActionOf(const Control& control) const {
  ControlBinding* binding = BindingOf(control);
  return binding != nullptr ? binding->Action() : nullptr;
}

void QtWindow::BeginBusy() {
  if (busyDepth_++ > 0) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FlushWindowSystem();
}

void QtWindow::EndBusy() {
  if (busyDepth_ == 0 || --busyDepth_ > 0) return;
  QApplication::restoreOverrideCursor();
  if (closePending_) {
    closePending_ = false;
    window_->close();
  }
}

bool QtWindow::AllowClose() {
  if (busyDepth_ == 0) return true;
  closePending_ = true;
  return false;
}

void QtWindow::Pump() {
  using namespace std::chrono_literals;
  if (std::chrono::steady_clock::now() - lastPump_ < 1ms) return;
  QCoreApplication::processEvents();
  lastPump_ = std::chrono::steady_clock::now();
}
