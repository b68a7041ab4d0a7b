// The desktop services against the real Qt clipboard, real widgets and the
// real folder dialog on the offscreen platform. Only the launcher behind
// QDesktopServices and the dialog's user are played by the test.
#include "platform/desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_services.h"
#include "tests/support/temp_folder.h"
#include "ui/clipboard_capture.h"
#include "ui/folder_commands.h"
#include "ui/main_form.h"

namespace {

// One application for the whole run, gone before the process exits.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[13] = "desktop_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }
QString FromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The recorded desktop with the clipboard and the keyboard of this program.
struct QtDesktop : FakeServices {
  std::string ReadClipboardText() override { return ::ReadClipboardText(); }
  void EmptyClipboard() override { ::EmptyClipboard(); }
  void SendKeyEvent(int virtualKey, bool release) override { PostKeyEvent(virtualKey, release); }
};

// A shown window whose line edit has the keyboard focus.
struct FocusedField {
  QWidget window;
  QLineEdit* field = new QLineEdit(&window);
  QLineEdit* other = new QLineEdit(&window);

  explicit FocusedField(const QString& text) {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(other);
    field->setText(text);
    window.show();
    window.activateWindow();
    field->setFocus();
    QApplication::processEvents();
  }
};

TEST(Clipboard, ReadsTextAsUtf8AndAnythingElseAsEmpty) {
  struct Case {
    const char* name;
    std::function<void()> put;
    std::string expected;
  };
  const Case cases[] = {
      {"plain text", [] { Clipboard().setText(QStringLiteral("photo_2024")); }, "photo_2024"},
      {"Chinese text crosses as UTF-8",
       [] { Clipboard().setText(QStringLiteral("假期 照片")); }, "假期 照片"},
      {"a picture is no text",
       [] {
         QImage image(2, 2, QImage::Format_RGB32);
         image.fill(Qt::red);
         Clipboard().setImage(image);
       },
       ""},
      {"a list of files without text is no text",
       [] {
         auto* data = new QMimeData;
         data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.jpg"))});
         data->removeFormat(QStringLiteral("text/plain"));
         Clipboard().setMimeData(data);
       },
       ""},
      {"fault: a zero character let a zero byte into a field",
       [] { Clipboard().setText(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")); }, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.put();
    EXPECT_EQ(ReadClipboardText(), c.expected);
    EmptyClipboard();
    EXPECT_EQ(ReadClipboardText(), "");
    const QMimeData* left = Clipboard().mimeData();
    EXPECT_TRUE(left == nullptr || !left->hasText());
  }
}

// Each row posts its key events to the focused field, whose "2024" is
// selected, then lets the event loop deliver them.
TEST(PostKeyEvent, TheFocusedFieldSeesTheModifiersThatAreDown) {
  struct Case {
    const char* name;
    std::vector<KeyEventCall> keys;
    std::string expectedClipboard;
    std::string expectedField;
  };
  const Case cases[] = {
      {"Control+C as the capture sends it copies the selection",
       {{kKeyControl, false}, {kKeyC, false}, {kKeyControl, true}, {kKeyC, true}}, "2024",
       "photo_2024.jpg"},
      {"C alone types a c over the selection", {{kKeyC, false}, {kKeyC, true}}, "",
       "photo_c.jpg"},
      {"fault: Control stayed down after its release",
       {{kKeyControl, false}, {kKeyControl, true}, {kKeyC, false}, {kKeyC, true}}, "",
       "photo_c.jpg"},
      {"Shift makes a capital C", {{16, false}, {kKeyC, false}, {16, true}, {kKeyC, true}}, "",
       "photo_C.jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmptyClipboard();
    FocusedField window(QStringLiteral("photo_2024.jpg"));
    ASSERT_EQ(QApplication::focusWidget(), window.field);
    window.field->setSelection(6, 4);

    for (const KeyEventCall& key : c.keys) PostKeyEvent(key.virtualKey, key.release);
    EXPECT_EQ(ReadClipboardText(), "") << "delivered before the caller returned";
    QApplication::processEvents();

    EXPECT_EQ(ReadClipboardText(), c.expectedClipboard);
    EXPECT_EQ(Bytes(window.field->text()), c.expectedField);
    EXPECT_EQ(window.other->text(), QString());
  }
}

TEST(PostKeyEvent, NothingArrivesWhenNoWidgetOfOursHasTheFocus) {
  EmptyClipboard();
  FocusedField window(QStringLiteral("photo_2024.jpg"));
  window.field->setSelection(6, 4);
  window.field->clearFocus();
  ASSERT_EQ(QApplication::focusWidget(), nullptr);

  for (const bool release : {false, true}) {
    PostKeyEvent(kKeyControl, release);
    PostKeyEvent(kKeyC, release);
  }
  QApplication::processEvents();

  EXPECT_EQ(ReadClipboardText(), "");
  EXPECT_EQ(Bytes(window.field->text()), "photo_2024.jpg");
}

// The capture handlers with the real clipboard and a real focused field.
class RealCapture : public ::testing::Test {
 protected:
  void SetUp() override {
      ReleaseClipboardCache();
    EmptyClipboard();
    BindClipboardCapture(form, services);
    form.编辑框_旧的文本1.Raise(Event::FocusGained);
  }
  void TearDown() override { ReleaseClipboardCache(); }

  void Tick() {
    form.时钟1.Raise(Event::Tick);
    QApplication::processEvents();
  }

  MainForm form;
  QtDesktop services;
  FocusedField window{QStringLiteral("photo_2024.jpg")};
};

TEST_F(RealCapture, ASelectionArrivesWithinTwoTicksAndLeavesTheClipboardEmpty) {
  window.field->setSelection(6, 4);
  Tick();
  form.时钟1.Raise(Event::Tick);
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "2024");
  EXPECT_EQ(ReadClipboardText(), "");

  // The second tick's keys copy the selection once more; as the text taken
  // over, it stays until the field loses the focus.
  QApplication::processEvents();
  form.编辑框_旧的文本.TakeUserText("edited");
  Tick();
  EXPECT_EQ(ReadClipboardText(), "2024");
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "edited");
  form.编辑框_旧的文本1.Raise(Event::FocusLost);
  EXPECT_EQ(ReadClipboardText(), "");
}

TEST_F(RealCapture, TheSameSelectionAgainChangesNothingAlsoInALaterFocusPeriod) {
  window.field->setSelection(6, 4);
  Tick();
  Tick();
  form.编辑框_旧的文本1.Raise(Event::FocusLost);
  form.编辑框_旧的文本.TakeUserText("edited");

  form.编辑框_旧的文本1.Raise(Event::FocusGained);
  window.field->setSelection(6, 4);
  Tick();
  Tick();

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "edited");
}

TEST_F(RealCapture, WithoutASelectionTheClipboardStaysEmpty) {
  window.field->deselect();
  Tick();
  Tick();
  EXPECT_EQ(ReadClipboardText(), "");
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "");
  EXPECT_EQ(Bytes(window.field->text()), "photo_2024.jpg");
}

TEST_F(RealCapture, TextLeftByAnotherProgramIsTakenOverByTheFirstTick) {
  Clipboard().setText(QStringLiteral("别处复制"));
  window.field->deselect();
  Tick();
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "别处复制");
  EXPECT_EQ(ReadClipboardText(), "");
}

TEST_F(RealCapture, MovingTheFocusStraightToTheOldTextFieldFindsNothing) {
  window.field->setSelection(6, 4);
  form.时钟1.Raise(Event::Tick);
  QApplication::processEvents();  // the selection is on the clipboard now
  ASSERT_EQ(ReadClipboardText(), "2024");

  form.编辑框_旧的文本1.Raise(Event::FocusLost);
  form.编辑框_旧的文本.Raise(Event::FocusGained);

  EXPECT_EQ(form.编辑框_旧的文本.Text(), "");
  EXPECT_EQ(ReadClipboardText(), "");
}

TEST(TakeOverCurrentItem, EmptiesTheRealClipboardOfAnotherProgramsText) {
  MainForm form;
  QtDesktop services;
  BindFolderCommands(form, services);
  form.列表框1.SetItems({"a.jpg", "b.jpg"});
  form.列表框1.TakeUserSelection(1);
  Clipboard().setText(QStringLiteral("copied elsewhere"));

  form.列表框1.Raise(Event::ItemSelected);

  EXPECT_EQ(form.编辑框_旧的文本1.Text(), "b.jpg");
  EXPECT_EQ(ReadClipboardText(), "");
}

// The dialog's user: waits until the dialog is up, then acts on it.
void WhenTheDialogIsUp(std::function<void(QFileDialog&)> user) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, user] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll->stop();
    poll->deleteLater();
    user(*dialog);
  });
  poll->start(5);
}

void TypeAndChoose(QFileDialog& dialog, const QString& path) {
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(field, nullptr);
  field->setText(path);
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
}

TEST(BrowseForFolder, ATypedFolderIsChosenAndCancelGivesTheEmptyText) {
  TempFolder parent;
  parent.AddFolder("假期 照片");
  const std::string chosen = parent.PathOf("假期 照片");
  struct Case {
    const char* name;
    std::function<void(QFileDialog&)> user;
    std::string expected;
  };
  const Case cases[] = {
      {"a path typed into the field", [&](QFileDialog& d) { TypeAndChoose(d, FromBytes(chosen)); },
       chosen},
      {"cancelled", [](QFileDialog& d) { d.reject(); }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget owner;
    owner.show();
    QString title;
    bool foldersOnly = false;
    bool modal = false;
    int ticksWhileOpen = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticksWhileOpen; });
    ticking.start(1);
    WhenTheDialogIsUp([&](QFileDialog& dialog) {
      title = dialog.windowTitle();
      foldersOnly = dialog.fileMode() == QFileDialog::Directory &&
                    dialog.testOption(QFileDialog::ShowDirsOnly);
      modal = dialog.isModal() && dialog.parentWidget() == &owner;
      // The user takes a moment: the main window's timers go on meanwhile.
      QTimer::singleShot(30, &dialog, [&dialog, &c] { c.user(dialog); });
    });

    const std::string result = BrowseForFolder(&owner, "请选择文件存放的路径");

    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(Bytes(title), "请选择文件存放的路径");
    EXPECT_TRUE(foldersOnly);
    EXPECT_TRUE(modal);
    EXPECT_GT(ticksWhileOpen, 0);
  }
}

// Stands in for the launcher behind QDesktopServices.
class Launcher : public QObject {
  Q_OBJECT
 public:
  Launcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
  ~Launcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  std::vector<std::string> paths;  // the file paths as bytes

 public slots:
  void open(const QUrl& url) {
    EXPECT_TRUE(url.isValid()) << url.toEncoded().toStdString();
    EXPECT_EQ(url.scheme(), QStringLiteral("file"));
    paths.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                        .toStdString());
  }
};

TEST(ShellOpen, HandsTheLauncherAUrlOfTheVeryBytes) {
  const std::string cwd = QFile::encodeName(QDir::currentPath()).toStdString();
  struct Case {
    const char* name;
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {"spaces", "/data/my photos/a b.jpg", "/data/my photos/a b.jpg"},
      {"Chinese in UTF-8", "/data/假期/照片.jpg", "/data/假期/照片.jpg"},
      {"fault: GBK bytes turned into replacement characters", "/data/\xc4\xe3\xba\xc3.txt",
       "/data/\xc4\xe3\xba\xc3.txt"},
      {"characters that mean something in a URL", "/data/a#1?b%20c;d.txt",
       "/data/a#1?b%20c;d.txt"},
      {"'//' inside the path is kept", "/data/root//a.txt", "/data/root//a.txt"},
      {"fault: a root folder's '//a' made an invalid URL", "//a.txt", "/a.txt"},
      {"a folder ending in '/' opens as the folder", "/data/", "/data/"},
      {"a relative path is taken from the current folder", "photos/a.jpg",
       cwd + "/photos/a.jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Launcher launcher;
    ShellOpen(c.path);
    EXPECT_EQ(launcher.paths, std::vector<std::string>{c.expected});
  }
}

TEST(OpenUserGuide, OpensTheGuideBesideTheProgram) {
  Launcher launcher;
  OpenUserGuide();
  ASSERT_EQ(launcher.paths.size(), 1u);
  EXPECT_EQ(launcher.paths[0], UserGuidePath());
  const std::string guide = ReadWholeFile(launcher.paths[0]);
  EXPECT_NE(guide.find("[编号]"), std::string::npos);
  EXPECT_NE(guide.find("<html lang=\"zh-CN\">"), std::string::npos);
}

}  // namespace

#include "desktop_test.moc"
