// Moving the frameless window by a left-button drag, on the offscreen
// platform, where no window manager takes the move over.
#include "platform/look/window_drag.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>

#include "tests/support/window_support.h"

namespace {

// Presses at the point of the window, moves the mouse by the offset on the
// screen in two steps, releases. The test's mouse positions are relative to
// the pressed widget, which moves along with the window.
void Drag(QWidget& window, QPoint at, QPoint by, Qt::MouseButton button = Qt::LeftButton) {
  QWidget* target = window.childAt(at) != nullptr ? window.childAt(at) : &window;
  const QPoint pressed = target->mapToGlobal(target->mapFrom(&window, at));
  QTest::mousePress(target, button, {}, target->mapFromGlobal(pressed));
  QTest::mouseMove(target, target->mapFromGlobal(pressed + by / 2));
  QTest::mouseMove(target, target->mapFromGlobal(pressed + by));
  QTest::mouseRelease(target, button, {}, target->mapFromGlobal(pressed + by));
}

TEST(WindowDrag, BackgroundAndLabelsMoveTheWindowOtherControlsDoNot) {
  struct Case {
    const char* name;
    QPoint at;  // in the window
    bool moves;
  };
  const Case cases[] = {
      {"label 文件目录", {10, 10}, true},
      {"label 分隔符号", {300, 112}, true},
      {"background beside the list", {1, 300}, true},
      {"background between the combo and its label", {162, 118}, true},
      {"edit box", {100, 14}, false},
      {"disabled integer box", {480, 60}, false},
      {"button 浏览", {480, 12}, false},
      {"picture button", {495, 38}, false},
      {"list", {200, 300}, false},
      {"combo box", {80, 116}, false},
  };
  for (const Case& c : cases) {
    auto program = StartedProgram();
    QWidget& window = program->window.Widget();
    const QPoint before = window.pos();
    Drag(window, c.at, QPoint(30, 20));
    const QPoint expected = c.moves ? before + QPoint(30, 20) : before;
    EXPECT_EQ(window.pos(), expected) << c.name;
    // Let any popup that a press opened close with its window.
    QTest::qWait(1);
  }
}

TEST(WindowDrag, RightButtonDoesNotMove) {
  auto program = StartedProgram();
  QWidget& window = program->window.Widget();
  const QPoint before = window.pos();
  Drag(window, {10, 10}, {40, 40}, Qt::RightButton);
  EXPECT_EQ(window.pos(), before);
}

TEST(WindowDrag, BeyondTheScreenEdgeTheLabelsStayReachable) {
  auto program = StartedProgram();
  QWidget& window = program->window.Widget();
  const QRect screen = window.screen()->availableVirtualGeometry();
  for (const QPoint by : {QPoint(-5000, 0), QPoint(5000, 0), QPoint(0, -5000), QPoint(0, 5000)}) {
    Drag(window, {10, 10}, by);
    const QRect labels(window.pos(), QSize(55, 128));
    const QRect visible = labels & screen;
    EXPECT_GE(visible.width(), 20) << by.x() << "," << by.y();
    EXPECT_GE(visible.height(), 20) << by.x() << "," << by.y();
    // And a drag on what is left of the labels brings it back.
    const QPoint grip = visible.center();
    Drag(window, grip - window.pos(), screen.center() - grip);
    EXPECT_TRUE(screen.contains(window.pos())) << by.x() << "," << by.y();
  }
}

}  // namespace
