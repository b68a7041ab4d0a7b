// The rename command from the real window (offscreen): typed into real
// widgets, run on real folders, nested, with the busy state and a close of
// the window while it runs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/support/window_support.h"

namespace {

using Names = std::vector<std::string>;

QLineEdit* Edit(Program& program, const Control& control) {
  return WidgetOf<QLineEdit>(program, control);
}

// What the user does to get the numbering condition ready on the folder.
void PrepareNumbering(Program& program, const std::string& folder, const char* start) {
  QTest::keyClicks(Edit(program, program.form.编辑框_文件夹地址), QString::fromStdString(folder));
  ASSERT_TRUE(WaitUntil([&] { return !program.form.按钮_批量重命名.Disabled(); }));
  WidgetOf<QComboBox>(program, program.form.tj)->setCurrentIndex(3);
  ASSERT_TRUE(WaitUntil([&] { return !program.form.递增字符.Disabled(); }));
  QTest::keyClicks(Edit(program, program.form.递增字符), start);
  WidgetOf<QComboBox>(program, program.form.分隔符)->setCurrentIndex(2);  // "_"
}

QPushButton* RenameButton(Program& program) {
  return WidgetOf<QPushButton>(program, program.form.按钮_批量重命名);
}

// A click that waits in the event queue, as the user's click does while a
// command runs.
void QueueClick(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  const QPointF global = widget->mapToGlobal(centre);
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void QueueKey(QWidget* widget, Qt::Key key, const QString& text = {}) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

QStringList ListedNames(Program& program) {
  QAbstractItemModel* rows = WidgetOf<QListView>(program, program.form.列表框1)->model();
  QStringList names;
  for (int row = 0; row < rows->rowCount(); ++row) names << rows->index(row, 0).data().toString();
  return names;
}

TEST(RenameFromWindowTest, AFolderTypedInAndAClickOnTheButtonRenameItsFiles) {
  TempFolder folder;
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  auto program = StartedProgram();
  PrepareNumbering(*program, folder.Path(), "1");

  QTest::mouseClick(RenameButton(*program), Qt::LeftButton);

  EXPECT_EQ(folder.Contents(),
            (std::map<std::string, std::string>{{"1_a.jpg", "a.jpg"}, {"2_b.jpg", "b.jpg"}}));
  EXPECT_EQ(ListedNames(*program), (QStringList{"1_a.jpg", "2_b.jpg"}));
  EXPECT_EQ(Edit(*program, program->form.递增字符)->text(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone";
}

TEST(RenameFromWindowTest, APressHandledWhileNamesAreCollectedRunsANestedRename) {
  TempFolder folder;
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  auto program = StartedProgram();
  PrepareNumbering(*program, folder.Path(), "1");
  // Queued now, handled while the first run collects names: the start number
  // becomes 5 and the button is pressed again. The nested run sees 5 and the
  // original names; one after the other would give 5_1_a.jpg and 6_2_b.jpg.
  QLineEdit* start = Edit(*program, program->form.递增字符);
  QueueKey(start, Qt::Key_Backspace);
  QueueKey(start, Qt::Key_5, "5");
  QueueClick(RenameButton(*program));

  QTest::mouseClick(RenameButton(*program), Qt::LeftButton);

  EXPECT_EQ(folder.Contents(),
            (std::map<std::string, std::string>{{"5_a.jpg", "a.jpg"}, {"6_b.jpg", "b.jpg"}}));
  EXPECT_EQ(ListedNames(*program), (QStringList{"5_a.jpg", "6_b.jpg"}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone after both runs";
  EXPECT_TRUE(program->window.Widget().isVisible());
}

struct NoFolderCase {
  const char* name;
  std::string (*folderText)(const TempFolder& folder);
  bool needsPermissions;  // root reads any folder
};

TEST(RenameFromWindowTest, AFolderFieldThatNamesNoReadableFolderListsAndRenamesNothing) {
  const NoFolderCase cases[] = {
      {"a file's path", [](const TempFolder& f) { return f.PathOf("a.jpg"); }, false},
      {"a missing folder", [](const TempFolder& f) { return f.PathOf("gone"); }, false},
      {"a folder without read permission", [](const TempFolder& f) { return f.PathOf("locked"); }, true},
  };
  for (const NoFolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsPermissions && geteuid() == 0) continue;
    TempFolder folder;
    folder.AddFile("a.jpg");
    folder.AddFolder("locked");
    folder.AddFile("locked/b.jpg");
    chmod(folder.PathOf("locked").c_str(), 0300);
    auto program = StartedProgram();
    QTest::keyClicks(Edit(*program, program->form.编辑框_文件夹地址), QString::fromStdString(c.folderText(folder)));
    QTest::keyClicks(Edit(*program, program->form.编辑框_加前缀), "x");
    ASSERT_TRUE(WaitUntil([&] { return !program->form.按钮_批量重命名.Disabled(); }));

    QTest::mouseClick(RenameButton(*program), Qt::LeftButton);

    EXPECT_EQ(folder.Names(), (Names{"a.jpg", "locked"}));
    chmod(folder.PathOf("locked").c_str(), 0700);
    EXPECT_EQ(ReadWholeFile(folder.PathOf("locked/b.jpg")), "locked/b.jpg");
    EXPECT_TRUE(ListedNames(*program).isEmpty());
  }
}

// The platform's close, as the window manager's close button sends it.
void PlatformClose(Program& program) {
  QCloseEvent close;
  QCoreApplication::sendEvent(program.window.Widget().windowHandle(), &close);
}

struct BusyCase {
  const char* name;
  const char* steps;  // B BeginBusy, E EndBusy, C the platform's close
  const char* open;   // after each step: 1 the window is still shown
  const char* busy;   // after each step: 1 the busy cursor shows
};

TEST(BusyTest, ACloseWhileBusyWaitsForTheOutermostEndAndTheCursorFollows) {
  const BusyCase cases[] = {
      {"a close while idle closes at once", "C", "0", "0"},
      {"a close while busy waits for the end", "BCE", "110", "110"},
      {"nested: only the outermost end closes", "BBCEE", "11110", "11110"},
      {"without a close the end leaves the window open", "BBEE", "1111", "1110"},
      {"an end without a begin changes nothing", "EBE", "111", "010"},
  };
  for (const BusyCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto program = StartedProgram();
    for (std::size_t i = 0; c.steps[i] != '\0'; ++i) {
      SCOPED_TRACE(i);
      if (c.steps[i] == 'B') program->services.BeginBusy();
      if (c.steps[i] == 'E') program->services.EndBusy();
      if (c.steps[i] == 'C') PlatformClose(*program);
      EXPECT_EQ(program->window.Widget().isVisible(), c.open[i] == '1');
      const QCursor* cursor = QApplication::overrideCursor();
      EXPECT_EQ(cursor != nullptr && cursor->shape() == Qt::WaitCursor, c.busy[i] == '1');
    }
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  }
}

TEST(BusyTest, ACloseMadeWhileNamesAreCollectedTakesEffectAfterTheWholeRename) {
  TempFolder folder;
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  auto program = StartedProgram();
  PrepareNumbering(*program, folder.Path(), "1");
  QWidget& window = program->window.Widget();
  QCoreApplication::postEvent(window.windowHandle(), new QCloseEvent);
  bool openAfterTheClose = false;
  QMetaObject::invokeMethod(
      &window, [&] { openAfterTheClose = window.isVisible(); }, Qt::QueuedConnection);

  QTest::mouseClick(RenameButton(*program), Qt::LeftButton);

  EXPECT_TRUE(openAfterTheClose) << "the close request must wait while the command runs";
  EXPECT_EQ(folder.Names(), (Names{"1_a.jpg", "2_b.jpg"}));
  EXPECT_FALSE(window.isVisible()) << "the window closes once the command has ended";
}

void SayExitRoutineRan() { std::fputs("exit routine ran\n", stderr); }

TEST(EndProgramDeathTest, EndsWithTheCodeAfterTheExitRoutineAlsoInsideACommand) {
  // A fresh process rather than a fork: Qt runs threads of its own.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto program = StartedProgram();
  EXPECT_EXIT(
      {
        std::atexit(SayExitRoutineRan);
        program->services.BeginBusy();
        program->services.EndProgram(3);
      },
      ::testing::ExitedWithCode(3), "exit routine ran");
}

}  // namespace
