// The real batch-renamer binary, end to end: without a display, and under a
// real X server (run through xvfb-run), found and inspected with the X tools.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(RENAMER_PROGRAM);

struct Outcome {
  bool finished = false;
  QProcess::ExitStatus status = QProcess::CrashExit;
  int code = -1;
  QString out;
};

// Runs a tool to its end and gives what it printed.
Outcome RunTool(const QString& tool, const QStringList& arguments, int timeoutMs = 10000) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C.UTF-8");
  process.setProcessEnvironment(environment);
  process.start(tool, arguments);
  Outcome outcome;
  outcome.finished = process.waitForFinished(timeoutMs);
  if (!outcome.finished) {
    process.kill();
    process.waitForFinished();
  }
  outcome.status = process.exitStatus();
  outcome.code = process.exitCode();
  outcome.out = QString::fromUtf8(process.readAllStandardOutput());
  return outcome;
}

struct NoDisplayCase {
  const char* name;
  std::map<QString, QString> set;
};

TEST(ProgramWithoutDisplayTest, SaysSoInOneLineAndFailsWithoutCrashing) {
  const NoDisplayCase cases[] = {
      {"no display at all", {}},
      {"a display that nobody serves", {{"DISPLAY", ":4242"}}},
      {"X asked for by name, no display given", {{"QT_QPA_PLATFORM", "xcb"}}},
  };
  for (const NoDisplayCase& c : cases) {
    SCOPED_TRACE(c.name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(variable);
    }
    for (const auto& [variable, value] : c.set) environment.insert(variable, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(kProgram, {});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "no crash, no core dump";
    EXPECT_NE(process.exitCode(), 0);
    const QString said = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
    EXPECT_TRUE(said.contains("display")) << said.toStdString();
  }
}

struct Placement {
  QSize screen;
  QPoint topLeft;
};

// Where the window stands on the screens the test is run with.
const Placement kPlacements[] = {
    {{1024, 768}, {257, 70}},  // 257.0, 70.75
    {{500, 400}, {-5, -21}},   // partly off the screen
};

int Field(const QString& text, const QString& label) {
  const QRegularExpression pattern(QRegularExpression::escape(label) + R"(\s*(-?\d+))");
  const QRegularExpressionMatch match = pattern.match(text);
  return match.hasMatch() ? match.captured(1).toInt() : -99999;
}

class ProgramWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (std::getenv("DISPLAY") == nullptr) return;
    static int argc = 1;
    static char name[] = "program-test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "xcb");
    static auto* application = new QGuiApplication(argc, argv);
    (void)application;
  }

  void SetUp() override {
    if (QGuiApplication::instance() == nullptr) GTEST_SKIP() << "needs an X server: run under xvfb-run";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    program_.setProcessEnvironment(environment);
    program_.start(kProgram, {});
    ASSERT_TRUE(program_.waitForStarted());
    const Outcome found = RunTool("xdotool", {"search", "--sync", "--onlyvisible", "--pid",
                                              QString::number(program_.processId())});
    ASSERT_TRUE(found.finished && found.code == 0) << "the window did not show";
    window_ = found.out.split('\n', Qt::SkipEmptyParts).first().trimmed();
  }

  void TearDown() override {
    if (program_.state() != QProcess::NotRunning) {
      program_.kill();
      program_.waitForFinished();
    }
  }

  QString Property(const char* name) const { return RunTool("xprop", {"-id", window_, name}).out; }

  QRect Geometry() const {
    const QString info = RunTool("xwininfo", {"-id", window_}).out;
    return {Field(info, "Absolute upper-left X:"), Field(info, "Absolute upper-left Y:"),
            Field(info, "Width:"), Field(info, "Height:")};
  }

  // Asks the window to close as a window manager's close button does.
  void SendDeleteWindow() const {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    auto atom = [connection](const char* atomName) {
      xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
          connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(atomName)), atomName),
          nullptr);
      const xcb_atom_t value = reply->atom;
      free(reply);
      return value;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_.toUInt(nullptr, 0);
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    // Checked, so the server has taken the event before the connection goes:
    // what is still unread at a disconnect may be dropped.
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                           reinterpret_cast<const char*>(&message)));
    EXPECT_EQ(error, nullptr);
    free(error);
    xcb_disconnect(connection);
  }

  QProcess program_;
  QString window_;
};

TEST_F(ProgramWindowTest, TheWindowIsFramelessOfFixedSizeTitledAndPlacedByCenterWindow) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const Placement* placement = nullptr;
  for (const Placement& p : kPlacements) {
    if (p.screen == screen) placement = &p;
  }
  ASSERT_NE(placement, nullptr) << "no placement known for this screen size";
  EXPECT_EQ(Geometry(), QRect(placement->topLeft, QSize(510, 485)));

  const QString hints = Property("_MOTIF_WM_HINTS");
  const QRegularExpressionMatch motif =
      QRegularExpression(R"(=\s*(\w+),\s*(\w+),\s*(\w+))").match(hints);
  ASSERT_TRUE(motif.hasMatch()) << hints.toStdString();
  EXPECT_NE(motif.captured(1).toUInt(nullptr, 0) & 2U, 0U) << "the decorations hint is set";
  EXPECT_EQ(motif.captured(3).toUInt(nullptr, 0), 0U) << "no decorations: no frame, no title bar";

  const QString sizes = Property("WM_NORMAL_HINTS");
  EXPECT_TRUE(sizes.contains("program specified minimum size: 510 by 485")) << sizes.toStdString();
  EXPECT_TRUE(sizes.contains("program specified maximum size: 510 by 485")) << sizes.toStdString();
  EXPECT_TRUE(Property("_NET_WM_NAME").contains("\"Torvane_文件批量重命名\""));
  EXPECT_FALSE(Property("_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE")) << "ordinary stacking";
}

struct Caption {
  const char* label;
  QRect place;  // in the window
};

const Caption kCaptions[] = {
    {"标签2 文件目录", {0, 3, 55, 25}},   {"标签5 选中件名", {0, 27, 55, 25}},
    {"标签3 原文件名", {0, 52, 55, 25}},  {"标签4 替换件名", {0, 77, 55, 25}},
    {"标签1 条件命名", {0, 102, 55, 25}}, {"标签6 文本前缀", {248, 52, 55, 25}},
    {"标签8 文本后缀", {248, 77, 55, 25}}, {"标签7 删除字数", {407, 52, 55, 25}},
    {"标签10 递增字数", {407, 77, 55, 25}}, {"标签11 文件后缀", {169, 102, 55, 25}},
    {"标签12 分隔符号", {294, 103, 55, 25}},
};

// The caption's pixels that differ from its background, as a mask.
QImage Ink(const QImage& area) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < area.height(); ++y) {
    for (int x = 0; x < area.width(); ++x) ++counts[area.pixel(x, y)];
  }
  QRgb background = 0;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) {
      most = count;
      background = colour;
    }
  }
  QImage ink(area.size(), QImage::Format_Mono);
  for (int y = 0; y < area.height(); ++y) {
    for (int x = 0; x < area.width(); ++x) {
      const QRgb pixel = area.pixel(x, y);
      const int distance = std::abs(qGray(pixel) - qGray(background));
      ink.setPixel(x, y, distance > 64 ? 1 : 0);
    }
  }
  return ink;
}

int InkedPixels(const QImage& ink) {
  int inked = 0;
  for (int y = 0; y < ink.height(); ++y) {
    for (int x = 0; x < ink.width(); ++x) inked += ink.pixelIndex(x, y);
  }
  return inked;
}

struct CaptionInk {
  const char* label;
  QImage ink;
};

// The ink of every caption that stands on the screen. A window is mapped
// before it is painted, so this looks again until every caption has ink, for
// up to ten seconds.
std::vector<CaptionInk> CaptionInks(const QRect& window) {
  const QRect screen(QPoint(0, 0), QGuiApplication::primaryScreen()->size());
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    std::vector<CaptionInk> inks;
    bool allInked = true;
    for (const Caption& caption : kCaptions) {
      const QRect place = caption.place.translated(window.topLeft());
      if (!screen.contains(place)) continue;  // off a small screen
      inks.push_back({caption.label, Ink(shot.copy(place))});
      allInked = allInked && InkedPixels(inks.back().ink) > 40;
    }
    if (allInked || waited.elapsed() > 10000) return inks;
    QThread::msleep(50);
  }
}

// Drawn in a face with CJK glyphs, every caption has ink and no two look
// alike; captions of missing glyphs are blank or the same row of boxes.
TEST_F(ProgramWindowTest, TheChineseCaptionsAreDrawnInACjkFace) {
  const QRect window = Geometry();
  const std::vector<CaptionInk> inks = CaptionInks(window);
  for (auto caption = inks.begin(); caption != inks.end(); ++caption) {
    SCOPED_TRACE(caption->label);
    EXPECT_GT(InkedPixels(caption->ink), 40) << "the caption is drawn";
    for (auto other = inks.begin(); other != caption; ++other) {
      EXPECT_NE(caption->ink, other->ink) << "looks like " << other->label;
    }
  }
  if (QRect(QPoint(0, 0), QGuiApplication::primaryScreen()->size()).contains(window)) {
    EXPECT_EQ(inks.size(), std::size(kCaptions));
  }
}

TEST_F(ProgramWindowTest, TheWindowManagersCloseEndsTheProgramWithCodeZero) {
  SendDeleteWindow();
  ASSERT_TRUE(program_.waitForFinished(10000));
  EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program_.exitCode(), 0);
}

TEST_F(ProgramWindowTest, TheQuitButtonEndsTheProgramWithCodeZero) {
  const QPoint quit = Geometry().topLeft() + QPoint(486 + 10, 28 + 10);  // 图形按钮1
  if (!QRect(QPoint(0, 0), QGuiApplication::primaryScreen()->size()).contains(quit)) {
    GTEST_SKIP() << "the quit button is off this screen";
  }
  RunTool("xdotool", {"mousemove", QString::number(quit.x()), QString::number(quit.y()), "click", "1"});
  ASSERT_TRUE(program_.waitForFinished(10000));
  EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit) << "ended without a crash";
  EXPECT_EQ(program_.exitCode(), 0);
}

}  // namespace
