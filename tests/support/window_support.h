// What the window tests share: one QApplication for the whole test binary,
// the running program, and waiting on real timers.
#pragma once

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>

#include "engine/text.h"
#include "platform/program.h"

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "window-test";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    auto* app = new QApplication(argc, argv);
    // Each test closes windows of its own; the event loop must survive that.
    app->setQuitOnLastWindowClosed(false);
    return app;
  }();
  return *application;
}

// The startup sequence from the window on, as the program runs it.
inline std::unique_ptr<Program> StartedProgram() {
  TestApplication();
  NameCodePage = kUtf8CodePage;
  auto program = std::make_unique<Program>();
  StartProgram(*program);
  program->window.Widget().activateWindow();
  (void)QTest::qWaitForWindowActive(&program->window.Widget());
  return program;
}

// Lets events and timers run until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(5);
  }
  return true;
}

template <typename Widget>
Widget* WidgetOf(const Program& program, const Control& control) {
  return dynamic_cast<Widget*>(program.window.WidgetOf(control));
}
