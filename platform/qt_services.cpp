#include "platform/qt_services.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "platform/desktop.h"
#include "platform/qt_window.h"

ScreenSize QtServices::PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  return {screen->size().width(), screen->size().height()};
}

void QtServices::SetFocus(Control& control) {
  if (QWidget* widget = window_.WidgetOf(control)) widget->setFocus(Qt::OtherFocusReason);
}

std::string QtServices::ReadClipboardText() { return ::ReadClipboardText(); }

void QtServices::EmptyClipboard() { ::EmptyClipboard(); }

void QtServices::SendKeyEvent(int virtualKey, bool release) { PostKeyEvent(virtualKey, release); }

ScreenPoint QtServices::CursorPosition() {
  const QPoint point = QCursor::pos();
  return {point.x(), point.y()};
}

void QtServices::ShowPopupMenu(ScreenPoint topLeft) {
  window_.PopupMenu().exec(QPoint(topLeft.x, topLeft.y));
}

std::string QtServices::BrowseForFolder(std::string_view prompt) {
  return ::BrowseForFolder(&window_.Widget(), prompt);
}

// The desktop's "open" decides how a file is shown; it takes no size.
void QtServices::ShellOpen(std::string_view path, ShowMode) { ::ShellOpen(path); }

void QtServices::OpenUserGuide() { ::OpenUserGuide(); }

void QtServices::BeginBusy() { window_.BeginBusy(); }

void QtServices::EndBusy() { window_.EndBusy(); }

void QtServices::EndProgram(int exitCode) {
  window_.Widget().hide();
  std::fflush(nullptr);
  std::exit(exitCode);
}
