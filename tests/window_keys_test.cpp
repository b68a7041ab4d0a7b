// The keyboard at window level, the integer boxes and moving the window by
// drag, with real key and mouse events on the real window (offscreen).
#include "platform/look/window_keys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/window_support.h"

namespace {

QWidget* Focused() { return QApplication::focusWidget(); }

// Moves the focus to the control as a click would.
void Focus(Program& program, Control& control) {
  QWidget* widget = program.window.WidgetOf(control);
  widget->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(WaitUntil([&] { return Focused() == widget; })) << control.Name();
}

std::string NameOfFocused(const Program& program) {
  for (Control* control : program.form.Controls()) {
    if (program.window.WidgetOf(*control) == Focused()) return std::string(control->Name());
  }
  return "(none)";
}

// A folder is chosen and "数字递增命名" picked; the control-state timer
// enables the controls of that condition.
void CountingMode(Program& program) {
  program.form.编辑框_文件夹地址.SetText("/tmp");
  program.form.tj.SetSelectedIndex(3);
  ASSERT_TRUE(WaitUntil([&] { return !program.form.递增字符.Disabled(); }));
}

TEST(WindowKeys, TabAndShiftTabFollowTheWindowsOwnOrder) {
  auto program = StartedProgram();
  CountingMode(*program);
  struct Walk {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::vector<std::string> expected;
  };
  const Walk walks[] = {
      {"Tab walks upwards and wraps", Qt::Key_Tab, Qt::NoModifier,
       {"tj", "分隔符", "递增字符", "按钮_浏览文件夹", "按钮_批量重命名", "后缀名"}},
      {"Shift+Tab walks downwards", Qt::Key_Backtab, Qt::ShiftModifier,
       {"编辑框_旧的文本", "编辑框_替换为", "编辑框_加前缀", "编辑框_加后缀", "列表框1", "后缀名",
        "按钮_批量重命名", "按钮_浏览文件夹", "递增字符"}},
      {"Tab with Shift held walks downwards too", Qt::Key_Tab, Qt::ShiftModifier,
       {"编辑框_旧的文本", "编辑框_替换为"}},
  };
  for (const Walk& walk : walks) {
    Focus(*program, program->form.编辑框_旧的文本1);
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < walk.expected.size(); ++i) {
      QTest::keyClick(Focused(), walk.key, walk.modifiers);
      seen.push_back(NameOfFocused(*program));
    }
    EXPECT_EQ(seen, walk.expected) << walk.name;
  }
}

TEST(WindowKeys, EscClosesTheWindowFromAnyControl) {
  const struct {
    const char* control;
  } cases[] = {{"编辑框_旧的文本"}, {"删除字符"}, {"按钮_浏览文件夹"}, {"列表框1"}, {"tj"}};
  for (const auto& c : cases) {
    auto program = StartedProgram();
    CountingMode(*program);
    program->form.tj.SetSelectedIndex(1);
    ASSERT_TRUE(WaitUntil([&] { return !program->form.删除字符.Disabled(); }));
    program->form.编辑框_旧的文本.SetText("a");
    program->form.编辑框_加前缀.SetText("x_");
    program->form.列表框1.SetItems({"a.jpg"});
    Focus(*program, *program->form.Find(c.control));
    QTest::keyClick(Focused(), Qt::Key_Escape);
    EXPECT_FALSE(program->window.Widget().isVisible()) << c.control;
  }
}

TEST(WindowKeys, EscWhileABatchRunsClosesWhenItEnds) {
  auto program = StartedProgram();
  program->window.BeginBusy();
  QTest::keyClick(Focused(), Qt::Key_Escape);
  EXPECT_TRUE(program->window.Widget().isVisible());
  program->window.EndBusy();
  EXPECT_FALSE(program->window.Widget().isVisible());
}

TEST(WindowKeys, EnterDoesNothingAtWindowLevel) {
  auto program = StartedProgram();
  int clicks = 0;
  program->form.按钮_浏览文件夹.Bind(Event::Clicked, [&clicks] { ++clicks; });
  program->form.列表框1.SetItems({"a.jpg"});
  program->form.列表框1.SetSelectedIndex(0);
  int opened = 0;
  program->form.列表框1.Bind(Event::DoubleClicked, [&opened] { ++opened; });
  for (Control* control : {&program->form.按钮_浏览文件夹, &program->form.列表框1,
                           &program->form.编辑框_旧的文本}) {
    Focus(*program, *control);
    QTest::keyClick(Focused(), Qt::Key_Return);
    QTest::keyClick(Focused(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(program->window.Widget().isVisible());
    EXPECT_EQ(NameOfFocused(*program), control->Name());
  }
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(opened, 0);
}

class IntegerBox : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = StartedProgram();
    CountingMode(*program_);
    program_->form.tj.SetSelectedIndex(1);
    ASSERT_TRUE(WaitUntil([&] { return !program_->form.删除字符.Disabled(); }));
    edit_ = WidgetOf<QLineEdit>(*program_, box());
    Focus(*program_, box());
  }

  Control& box() { return program_->form.删除字符; }

  void Paste(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
  }

  void Leave() {
    QWidget* list = program_->window.WidgetOf(program_->form.列表框1);
    list->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return Focused() == list; }));
  }

  std::unique_ptr<Program> program_;
  QLineEdit* edit_ = nullptr;
};

TEST_F(IntegerBox, PastedTextNormalisesOnLeaving) {
  struct Case {
    const char* name;
    std::string pasted;
    std::string left;
  };
  const Case cases[] = {
      {"leading zeros", "007", "7"},
      {"zero", "0", ""},
      {"minus zero", "-0", ""},
      {"lone minus", "-", ""},
      {"minus inside", "5-3", "5"},
      {"eleven nines", "99999999999", "2147483647"},
      {"minus and eleven nines", "-99999999999", "-2147483648"},
      {"unchanged", "12", "12"},
      {"digits then letters", "3abc", "3"},
      {"letters", "abc", ""},
      {"10,000 digits", std::string(10000, '9'), "2147483647"},
      {"10,000 letters", std::string(10000, 'x'), ""},
  };
  for (const Case& c : cases) {
    Focus(*program_, box());
    edit_->clear();
    Paste(c.pasted);
    EXPECT_EQ(box().Text(), c.pasted) << c.name << ": pasting is not filtered";
    Leave();
    EXPECT_EQ(box().Text(), c.left) << c.name;
    EXPECT_EQ(edit_->text().toStdString(), c.left) << c.name;
  }
}

TEST_F(IntegerBox, NormalisedBeforeAnyFocusLostHandler) {
  std::string seen = "(not run)";
  box().Bind(Event::FocusLost, [this, &seen] { seen = box().Text(); });
  Paste("0042x");
  Leave();
  EXPECT_EQ(seen, "42");
}

TEST_F(IntegerBox, CaretGoesToTheStartOfTheFormerSelection) {
  struct Case {
    const char* name;
    std::string pasted;
    int selectionStart;
    int selectionLength;  // 0: only the caret at selectionStart
    int caret;
  };
  const Case cases[] = {
      {"caret inside", "0099", 2, 0, 2},
      {"caret past the new end", "12abc", 5, 0, 2},
      {"selection", "00123", 3, 2, 3},
      {"all selected", "-0", 0, 2, 0},
  };
  for (const Case& c : cases) {
    Focus(*program_, box());
    edit_->clear();
    Paste(c.pasted);
    if (c.selectionLength > 0) {
      edit_->setSelection(c.selectionStart, c.selectionLength);
    } else {
      edit_->setCursorPosition(c.selectionStart);
    }
    Leave();
    EXPECT_EQ(edit_->cursorPosition(), c.caret) << c.name;
  }
  // An unchanged text keeps its caret.
  Focus(*program_, box());
  edit_->clear();
  Paste("123");
  edit_->setCursorPosition(1);
  Leave();
  EXPECT_EQ(edit_->cursorPosition(), 1);
}

TEST_F(IntegerBox, TypingTakesOnlyDigitsAndMinus) {
  QTest::keyClicks(edit_, "a .");
  EXPECT_EQ(box().Text(), "");
  QTest::keyClicks(edit_, "-1a2");
  EXPECT_EQ(box().Text(), "-12");
  QTest::keyClick(edit_, Qt::Key_Backspace);
  EXPECT_EQ(box().Text(), "-1");
  QTest::keyClick(edit_, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "-1") << "shortcuts pass";
  QTest::keyClick(edit_, Qt::Key_Home);
  QTest::keyClick(edit_, Qt::Key_Delete);
  EXPECT_EQ(box().Text(), "1");
  QTest::keyClick(edit_, Qt::Key_5, Qt::KeypadModifier);
  EXPECT_EQ(box().Text(), "51");
}

TEST_F(IntegerBox, InputMethodTextIsFilteredToo) {
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("七7x8"));
  QCoreApplication::sendEvent(edit_, &commit);
  EXPECT_EQ(box().Text(), "78");
}

TEST_F(IntegerBox, OtherEditBoxesTakeAnything) {
  Focus(*program_, program_->form.编辑框_加前缀);
  QTest::keyClicks(Focused(), "a .");
  EXPECT_EQ(program_->form.编辑框_加前缀.Text(), "a .");
}

}  // namespace
