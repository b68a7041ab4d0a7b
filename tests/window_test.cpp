// The window on real Qt widgets (offscreen): what startup leaves on screen,
// the control-state timer over real ticks, what the user's actions reach,
// and how names in legacy encodings are shown.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/name_display.h"
#include "tests/support/window_support.h"

namespace {

struct ControlCase {
  const char* name;
  const char* qtClass;
  QRect geometry;
  bool enabled;
  QString text;  // caption, edit text or the combo's current item
};

QString ShownText(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  return {};
}

TEST(WindowStartupTest, EveryControlStandsWhereTheTableSaysWithItsStartupState) {
  const ControlCase cases[] = {
      {"按钮_浏览文件夹", "QPushButton", {461, 3, 46, 22}, true, "浏览"},
      {"图形按钮2", "QAbstractButton", {462, 28, 20, 20}, true, ""},
      {"图形按钮1", "QAbstractButton", {486, 28, 20, 20}, true, ""},
      {"删除字符", "QLineEdit", {464, 53, 40, 22}, false, ""},
      {"递增字符", "QLineEdit", {464, 78, 40, 22}, false, ""},
      {"分隔符", "QComboBox", {350, 104, 53, 20}, false, "-"},
      {"tj", "QComboBox", {57, 104, 100, 27}, false, "选择命名条件"},
      {"编辑框_旧的文本1", "QLineEdit", {58, 28, 398, 22}, true, ""},
      {"编辑框_旧的文本", "QLineEdit", {58, 53, 190, 22}, true, ""},
      {"编辑框_替换为", "QLineEdit", {58, 78, 190, 22}, true, ""},
      {"编辑框_加前缀", "QLineEdit", {306, 53, 100, 22}, true, ""},
      {"编辑框_加后缀", "QLineEdit", {306, 78, 100, 22}, true, ""},
      {"列表框1", "QListView", {4, 128, 502, 353}, true, ""},
      {"后缀名", "QLineEdit", {228, 103, 66, 22}, true, ""},
      {"按钮_批量重命名", "QPushButton", {406, 103, 100, 22}, false, "重命名"},
      {"编辑框_文件夹地址", "QLineEdit", {58, 3, 398, 22}, true, ""},
      {"标签11", "QLabel", {169, 102, 55, 25}, true, "文件后缀"},
      {"标签12", "QLabel", {294, 103, 55, 25}, true, "分隔符号"},
      {"标签10", "QLabel", {407, 77, 55, 25}, true, "递增字数"},
      {"标签7", "QLabel", {407, 52, 55, 25}, true, "删除字数"},
      {"标签6", "QLabel", {248, 52, 55, 25}, true, "文本前缀"},
      {"标签8", "QLabel", {248, 77, 55, 25}, true, "文本后缀"},
      {"标签1", "QLabel", {0, 102, 55, 25}, true, "条件命名"},
      {"标签4", "QLabel", {0, 77, 55, 25}, true, "替换件名"},
      {"标签3", "QLabel", {0, 52, 55, 25}, true, "原文件名"},
      {"标签5", "QLabel", {0, 27, 55, 25}, true, "选中件名"},
      {"标签2", "QLabel", {0, 3, 55, 25}, true, "文件目录"},
  };
  auto program = StartedProgram();
  for (const ControlCase& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* widget = program->window.WidgetOf(*program->form.Find(c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->inherits(c.qtClass));
    EXPECT_EQ(widget->geometry(), c.geometry);
    EXPECT_EQ(widget->isEnabled(), c.enabled);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(ShownText(widget), c.text);
  }
  QWidget& window = program->window.Widget();
  EXPECT_EQ(window.windowTitle(), "Torvane_文件批量重命名");
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(window.minimumSize(), QSize(510, 485));
  EXPECT_EQ(window.maximumSize(), QSize(510, 485));
  // Placed by CenterWindow on the offscreen platform's screen.
  ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(800, 800));
  EXPECT_EQ(window.pos(), QPoint(145, 78));
  // The first control of the table lies on top: tj covers the list's top.
  EXPECT_EQ(window.childAt(100, 129), program->window.WidgetOf(program->form.tj));
}

TEST(WindowStartupTest, FocusIsOnTheListTheClipboardIsEmptyTimersAsGiven) {
  TestApplication();
  QGuiApplication::clipboard()->setText("left by another program");
  auto program = StartedProgram();
  const MainForm& form = program->form;
  EXPECT_EQ(QApplication::focusWidget(), program->window.WidgetOf(form.列表框1));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
  auto* list = WidgetOf<QListView>(*program, form.列表框1);
  EXPECT_EQ(list->model()->rowCount(), 0);
  EXPECT_FALSE(list->currentIndex().isValid());
  QTimer* tim = program->window.TimerOf(form.tim);
  EXPECT_TRUE(tim->isActive());
  EXPECT_EQ(tim->interval(), 50);
  EXPECT_FALSE(program->window.TimerOf(form.时钟1)->isActive());
  QAction* open = program->window.ActionOf(form.右键_打开);
  QAction* remove = program->window.ActionOf(form.右键_删除);
  EXPECT_EQ(program->window.PopupMenu().actions(), (QList<QAction*>{open, remove}));
  EXPECT_EQ(open->text(), "打开");
  EXPECT_EQ(remove->text(), "删除");
}

struct TickStep {
  const char* name;
  std::function<void(Program&)> act;
  // Disabled after the ticks: 删除字符, 递增字符, 分隔符, tj, 按钮_批量重命名.
  std::vector<bool> disabled;
};

std::vector<bool> ShownDisabled(const Program& program) {
  std::vector<bool> states;
  for (const Control* control : {&program.form.删除字符, &program.form.递增字符, &program.form.分隔符,
                                 &program.form.tj, &program.form.按钮_批量重命名}) {
    states.push_back(!program.window.WidgetOf(*control)->isEnabled());
  }
  return states;
}

void PickCondition(Program& program, int index) {
  WidgetOf<QComboBox>(program, program.form.tj)->setCurrentIndex(index);
}

TEST(ControlStateTimerTest, TheControlsFollowTheFolderAndConditionWithinTicks) {
  const TickStep steps[] = {
      {"right after startup a tick changes nothing", [](Program&) {},
       {true, true, true, true, true}},
      {"typing a folder enables tj and the rename button",
       [](Program& p) { QTest::keyClicks(WidgetOf<QLineEdit>(p, p.form.编辑框_文件夹地址), "/tmp"); },
       {true, true, true, false, false}},
      {"左起删除字符", [](Program& p) { PickCondition(p, 1); }, {false, true, true, false, false}},
      {"右起删除字符", [](Program& p) { PickCondition(p, 2); }, {false, true, true, false, false}},
      {"数字递增命名", [](Program& p) { PickCondition(p, 3); }, {true, false, false, false, false}},
      {"a start number typed in",
       [](Program& p) { QTest::keyClicks(WidgetOf<QLineEdit>(p, p.form.递增字符), "12"); },
       {true, false, false, false, false}},
      {"-1 set through MainForm leaves the three as they are",
       [](Program& p) { p.form.tj.SetSelectedIndex(-1); }, {true, false, false, false, false}},
      {"back to 选择命名条件", [](Program& p) { PickCondition(p, 0); }, {true, true, true, false, false}},
      {"emptying the folder field does not disable them again",
       [](Program& p) {
         auto* folder = WidgetOf<QLineEdit>(p, p.form.编辑框_文件夹地址);
         folder->selectAll();
         QTest::keyClick(folder, Qt::Key_Backspace);
       },
       {true, true, true, false, false}},
  };
  auto program = StartedProgram();
  for (const TickStep& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(*program);
    EXPECT_TRUE(WaitUntil([&] { return ShownDisabled(*program) == step.disabled; }));
    QTest::qWait(160);  // a few more ticks: the state holds
    EXPECT_EQ(ShownDisabled(*program), step.disabled);
  }
  EXPECT_EQ(program->form.编辑框_文件夹地址.Text(), "");
  EXPECT_EQ(program->form.递增字符.Text(), "12") << "a disabled field keeps its text";
  EXPECT_EQ(WidgetOf<QLineEdit>(*program, program->form.递增字符)->text(), "12");
}

TEST(TimerTest, TimerPeriodStartsStopsAndTicksTheRealTimer) {
  auto program = StartedProgram();
  Control& clock = program->form.时钟1;
  QTimer* timer = program->window.TimerOf(clock);
  int ticks = 0;
  clock.Bind(Event::Tick, [&] { ++ticks; });

  clock.SetTimerPeriod(10);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 10);
  EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  clock.SetTimerPeriod(0);
  EXPECT_FALSE(timer->isActive());
  clock.SetTimerPeriod(100);
  clock.SetTimerPeriod(-5);
  EXPECT_FALSE(timer->isActive()) << "a negative period stops the timer";
}

const char* EventName(Event event) {
  switch (event) {
    case Event::Created: return "Created";
    case Event::Clicked: return "Clicked";
    case Event::FocusGained: return "FocusGained";
    case Event::FocusLost: return "FocusLost";
    case Event::ItemSelected: return "ItemSelected";
    case Event::DoubleClicked: return "DoubleClicked";
    case Event::LeftButtonReleased: return "LeftButtonReleased";
    case Event::RightButtonReleased: return "RightButtonReleased";
    case Event::Tick: return "Tick";
  }
  return "?";
}

std::vector<std::string> raised;

// Replaces every handler but the timers' with a record of the event.
void RecordEvents(Program& program) {
  raised.clear();
  for (Control* control : program.form.Controls()) {
    if (control->Kind() == ControlKind::Timer) continue;
    for (std::size_t e = 0; e < kEventCount; ++e) {
      const auto event = static_cast<Event>(e);
      control->Bind(event, [control, event] {
        raised.push_back(std::string(control->Name()) + " " + EventName(event));
      });
    }
  }
}

QPoint RowCentre(Program& program, int row) {
  auto* list = WidgetOf<QListView>(program, program.form.列表框1);
  return list->visualRect(list->model()->index(row, 0)).center();
}

QWidget* ListViewport(Program& program) {
  return WidgetOf<QListView>(program, program.form.列表框1)->viewport();
}

struct ActionCase {
  const char* name;
  std::function<void(Program&)> act;
  std::vector<std::string> events;
  std::function<void(Program&)> check = [](Program&) {};
};

TEST(UserActionTest, WhatTheUserDoesReachesTheModelAndRaisesTheTableEvents) {
  const ActionCase cases[] = {
      {"a click on a push button",
       [](Program& p) { QTest::mouseClick(WidgetOf<QWidget>(p, p.form.按钮_浏览文件夹), Qt::LeftButton); },
       {"列表框1 FocusLost", "按钮_浏览文件夹 FocusGained", "按钮_浏览文件夹 Clicked"}},
      {"a click on a picture button takes no focus",
       [](Program& p) { QTest::mouseClick(WidgetOf<QWidget>(p, p.form.图形按钮1), Qt::LeftButton); },
       {"图形按钮1 Clicked"}},
      {"a left click on the folder field",
       [](Program& p) { QTest::mouseClick(WidgetOf<QWidget>(p, p.form.编辑框_文件夹地址), Qt::LeftButton); },
       {"列表框1 FocusLost", "编辑框_文件夹地址 FocusGained", "编辑框_文件夹地址 LeftButtonReleased"}},
      {"a left click on a row selects it",
       [](Program& p) { QTest::mouseClick(ListViewport(p), Qt::LeftButton, {}, RowCentre(p, 1)); },
       {"列表框1 ItemSelected"},
       [](Program& p) { EXPECT_EQ(p.form.列表框1.SelectedIndex(), 1); }},
      {"a double click on a row",
       [](Program& p) {
         QTest::mouseClick(ListViewport(p), Qt::LeftButton, {}, RowCentre(p, 2));
         QTest::mouseDClick(ListViewport(p), Qt::LeftButton, {}, RowCentre(p, 2));
       },
       {"列表框1 ItemSelected", "列表框1 DoubleClicked"}},
      {"the right button raises its release and leaves the current item",
       [](Program& p) {
         p.form.列表框1.SetSelectedIndex(0);
         QTest::mouseClick(ListViewport(p), Qt::RightButton, {}, RowCentre(p, 2));
       },
       {"列表框1 RightButtonReleased"},
       [](Program& p) {
         EXPECT_EQ(p.form.列表框1.SelectedIndex(), 0);
         EXPECT_EQ(WidgetOf<QListView>(p, p.form.列表框1)->currentIndex().row(), 0);
       }},
      {"the focus moving from field to field",
       [](Program& p) {
         p.window.WidgetOf(p.form.编辑框_旧的文本1)->setFocus(Qt::TabFocusReason);
         p.window.WidgetOf(p.form.编辑框_旧的文本)->setFocus(Qt::TabFocusReason);
       },
       {"列表框1 FocusLost", "编辑框_旧的文本1 FocusGained", "编辑框_旧的文本1 FocusLost",
        "编辑框_旧的文本 FocusGained"}},
      {"regression: the list gaining the focus by keyboard selects no item",
       [](Program& p) {
         p.window.WidgetOf(p.form.编辑框_旧的文本1)->setFocus(Qt::TabFocusReason);
         p.window.WidgetOf(p.form.列表框1)->setFocus(Qt::TabFocusReason);
       },
       {"列表框1 FocusLost", "编辑框_旧的文本1 FocusGained", "编辑框_旧的文本1 FocusLost",
        "列表框1 FocusGained"},
       [](Program& p) { EXPECT_EQ(p.form.列表框1.SelectedIndex(), -1); }},
      {"a popup menu leaves the focus where it is",
       [](Program& p) {
         p.window.PopupMenu().popup(p.window.Widget().mapToGlobal(QPoint(100, 200)));
         QTest::qWait(20);
         p.window.PopupMenu().close();
         QTest::qWait(20);
       },
       {}},
      {"typing writes the model at once and raises nothing",
       [](Program& p) {
         QWidget* prefix = WidgetOf<QWidget>(p, p.form.编辑框_加前缀);
         QInputMethodEvent chinese;  // as an input method commits it
         chinese.setCommitString("前缀");
         QCoreApplication::sendEvent(prefix, &chinese);
         QTest::keyClicks(prefix, "x");
       },
       {},
       [](Program& p) { EXPECT_EQ(p.form.编辑框_加前缀.Text(), "前缀x"); }},
      {"picking a combo item writes SelectedIndex and raises nothing",
       [](Program& p) {
         p.form.tj.SetDisabled(false);
         QTest::keyClick(WidgetOf<QWidget>(p, p.form.tj), Qt::Key_Down);
       },
       {},
       [](Program& p) { EXPECT_EQ(p.form.tj.SelectedIndex(), 1); }},
      {"a text longer than Qt's default limit of 32767 is shown whole and stays editable",
       [](Program& p) {
         p.form.编辑框_旧的文本1.SetText(std::string(40000, 'n'));
         QTest::keyClicks(WidgetOf<QWidget>(p, p.form.编辑框_旧的文本1), "end");
       },
       {},
       [](Program& p) {
         EXPECT_EQ(WidgetOf<QLineEdit>(p, p.form.编辑框_旧的文本1)->text().size(), 40003);
         EXPECT_EQ(p.form.编辑框_旧的文本1.Text(), std::string(40000, 'n') + "end");
       }},
      {"moving the window moves its Left and Top",
       [](Program& p) { p.window.Widget().move(33, 44); },
       {},
       [](Program& p) {
         EXPECT_EQ(p.form.窗口.Left(), 33);
         EXPECT_EQ(p.form.窗口.Top(), 44);
       }},
      {"a menu item raises Clicked only once control is back in the event loop",
       [](Program& p) {
         p.window.ActionOf(p.form.右键_删除)->trigger();
         EXPECT_TRUE(raised.empty());
         QTest::qWait(10);
       },
       {"右键_删除 Clicked"}},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto program = StartedProgram();
    program->form.列表框1.SetItems({"a.txt", "b.txt", "c.txt"});
    QTest::qWait(10);  // the list lays out its rows
    RecordEvents(*program);
    c.act(*program);
    EXPECT_EQ(raised, c.events);
    c.check(*program);
  }
}

struct DisplayCase {
  const char* name;
  std::string bytes;
  QString shown;
};

const DisplayCase kDisplayCases[] = {
    {"UTF-8 is shown as it is", "café 测试.txt", QString::fromUtf8("café 测试.txt")},
    {"a GBK name from a Windows archive (测试.txt)", "\xB2\xE2\xCA\xD4.txt",
     QString::fromUtf8("测试.txt")},
    {"a GB18030 four-byte sequence", "\x81\x30\x81\x30", QString(QChar(0x80))},
    {"a byte neither encoding takes is escaped", "a\xFF" "b.txt", "a\\xFFb.txt"},
    {"valid UTF-8 around a stray byte keeps its characters", "测\xFF", QString::fromUtf8("测\\xFF")},
    {"a lone 0x80", "\x80.txt", "\\x80.txt"},
};

TEST(NameDisplayTest, NamesThatAreNotUtf8AreShownReadably) {
  for (const DisplayCase& c : kDisplayCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DisplayText(c.bytes), c.shown);
  }
}

TEST(NameDisplayTest, TheListAndTheFieldsShowTheRenderingWhileTheModelKeepsTheBytes) {
  auto program = StartedProgram();
  MainForm& form = program->form;
  std::vector<std::string> names;
  for (const DisplayCase& c : kDisplayCases) names.push_back(c.bytes);
  form.列表框1.SetItems(names);
  auto* list = WidgetOf<QListView>(*program, form.列表框1);
  auto* selected = WidgetOf<QLineEdit>(*program, form.编辑框_旧的文本1);
  QTest::qWait(10);
  for (int row = 0; row < static_cast<int>(names.size()); ++row) {
    const DisplayCase& c = kDisplayCases[row];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(list->model()->index(row, 0).data().toString(), c.shown);
    EXPECT_EQ(form.列表框1.ItemText(row), c.bytes);
    // A click takes the name's own bytes into 编辑框_旧的文本1; the field shows
    // the rendering and never writes it back.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(*program, row));
    EXPECT_EQ(form.列表框1.SelectedIndex(), row);
    EXPECT_EQ(form.编辑框_旧的文本1.Text(), c.bytes);
    EXPECT_EQ(selected->text(), c.shown);
  }
  form.列表框1.AddItem("\xB2\xE2\xCA\xD4.txt");
  ASSERT_EQ(list->model()->rowCount(), static_cast<int>(names.size()) + 1);
  EXPECT_EQ(list->model()->index(static_cast<int>(names.size()), 0).data().toString(), "测试.txt");
}

// Copying a piece of a name that is shown by a rendering hands on the name's
// own bytes, so the piece taken as the text to replace matches the file.
TEST(NameCopyTest, CtrlCInANameFieldCopiesTheBytesOfTheSelectedPiece) {
  struct Case {
    const char* why;
    std::string name;
    int from;
    int length;
    std::string copied;
  };
  const Case cases[] = {
      {"GBK name, its Chinese part", "\xc4\xe3\xba\xc3.txt", 0, 2, "\xc4\xe3\xba\xc3"},
      {"GBK name across a character and ASCII", "\xc4\xe3\xba\xc3.txt", 1, 3, "\xba\xc3.t"},
      {"stray byte shown escaped", "a\xff" "b.txt", 1, 4, "\xff"},
      {"after an escaped byte", "a\xff" "b.txt", 5, 1, "b"},
      {"UTF-8 name copies as shown", "照片.jpg", 0, 2, "照片"},
  };
  auto program = StartedProgram();
  auto* edit = WidgetOf<QLineEdit>(*program, program->form.编辑框_旧的文本1);
  for (const Case& c : cases) {
    program->form.编辑框_旧的文本1.SetText(c.name);
    edit->setFocus();
    edit->setSelection(c.from, c.length);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ReadClipboardText(), c.copied) << c.why;
    EXPECT_EQ(program->form.编辑框_旧的文本1.Text(), c.name) << c.why;
  }
}

}  // namespace
