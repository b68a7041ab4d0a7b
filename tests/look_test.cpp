// The window's look as it is drawn: widgets grabbed on the offscreen platform
// and their pixels sampled, under the default style and under others.
#include "platform/look/look.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/resources/look_images.h"
#include "tests/support/window_support.h"

namespace {

const QColor kBackground(116, 185, 255);

std::unique_ptr<Program> LookedProgram() {
  auto program = StartedProgram();
  // The control-state timer would disable the boxes this test fills.
  program->form.tim.SetTimerPeriod(0);
  for (Control* control : program->form.Controls()) control->SetDisabled(false);
  return program;
}

int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

QImage Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The pixels that are not the ground: the drawn text.
QRect InkBounds(const QImage& image, const QColor& ground) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (Distance(image.pixelColor(x, y), ground) > 60) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

// Of the text's antialiased pixels the one farthest from the ground is the
// text colour itself.
QColor TextColour(const QImage& image, const QColor& ground) {
  QColor farthest = ground;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (Distance(pixel, ground) > Distance(farthest, ground)) farthest = pixel;
    }
  }
  return farthest;
}

struct EditCase {
  const char* control;
  QColor text;
  bool centred;
};

const EditCase kEdits[] = {
    {"删除字符", {255, 0, 0}, true},          {"递增字符", {255, 0, 0}, true},
    {"编辑框_旧的文本", {255, 0, 0}, false},  {"后缀名", {255, 0, 0}, true},
    {"编辑框_替换为", {0, 0, 255}, false},    {"编辑框_加前缀", {0, 0, 255}, true},
    {"编辑框_加后缀", {0, 96, 192}, true},    {"编辑框_文件夹地址", {128, 128, 128}, false},
    {"编辑框_旧的文本1", {0, 0, 0}, false},
};

void ExpectEditsDrawnRight(Program& program, const std::string& style) {
  for (const EditCase& c : kEdits) {
    Control& control = *program.form.Find(c.control);
    control.SetText(control.Kind() == ControlKind::IntegerEdit ? "88" : "中文8");
    auto* edit = WidgetOf<QLineEdit>(program, control);
    ASSERT_NE(edit, nullptr) << c.control;
    const QImage image = Grab(*edit);
    const QString where = QString::fromUtf8(c.control) + " under " + QString::fromStdString(style);
    // No border: every edge pixel is the white ground.
    for (const QPoint edge : {QPoint(0, image.height() / 2), QPoint(image.width() - 1, 2),
                              QPoint(image.width() / 2, 0),
                              QPoint(image.width() / 2, image.height() - 1)}) {
      EXPECT_EQ(image.pixelColor(edge), QColor(Qt::white)) << where.toStdString();
    }
    EXPECT_LE(Distance(TextColour(image, Qt::white), c.text), 30)
        << where.toStdString() << ": " << TextColour(image, Qt::white).name().toStdString();
    const QRect ink = InkBounds(image, Qt::white);
    ASSERT_FALSE(ink.isEmpty()) << where.toStdString();
    if (c.centred) {
      EXPECT_NEAR(ink.center().x(), image.width() / 2, 3) << where.toStdString();
    } else {
      EXPECT_LE(ink.left(), 6) << where.toStdString();
    }
  }
}

void ExpectCombosAndListDrawnRight(Program& program) {
  for (Control* combo : {&program.form.tj, &program.form.分隔符}) {
    combo->SetSelectedIndex(combo == &program.form.tj ? 3 : 0);
    const QImage image = Grab(*WidgetOf<QComboBox>(program, *combo));
    // The ground beside the caption, away from the arrow and the rim.
    EXPECT_EQ(image.pixelColor(image.width() / 4, image.height() / 2 + 5).rgb(),
              QColor(Qt::white).rgb()) << combo->Name();
    EXPECT_LE(Distance(TextColour(image.copy(2, 2, image.width() * 3 / 5, image.height() - 4),
                                  Qt::white),
                       QColor(0, 96, 192)),
              40)
        << combo->Name();
  }
  program.form.列表框1.SetItems({"a中.jpg", "b.jpg"});
  auto* list = WidgetOf<QListView>(program, program.form.列表框1);
  QTest::qWait(10);  // the view lays its rows out later
  const QImage image = Grab(*list);
  EXPECT_EQ(image.pixelColor(0, image.height() - 1), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 1), QColor(Qt::white));
  EXPECT_LE(Distance(TextColour(image, Qt::white), Qt::black), 40);
}

TEST(Look, BackgroundAtLabelFreeSpotsAndUnderLabels) {
  auto program = LookedProgram();
  const QImage window = Grab(program->window.Widget());
  ASSERT_EQ(window.size(), QSize(510, 485));
  // Beside the list, between the condition box and its neighbour's label,
  // and in a label's corner.
  for (const QPoint spot : {QPoint(1, 300), QPoint(508, 470), QPoint(162, 118), QPoint(1, 4)}) {
    EXPECT_EQ(window.pixelColor(spot), kBackground) << spot.x() << "," << spot.y();
  }
}

TEST(Look, EditBoxesComboBoxesAndListUnderEveryStyle) {
  auto program = LookedProgram();
  const QString original = QApplication::style()->name();
  for (const char* style : {"", "Fusion", "Windows"}) {
    if (*style != '\0') {
      ASSERT_TRUE(QStyleFactory::keys().contains(style, Qt::CaseInsensitive)) << style;
      QApplication::setStyle(style);
    }
    SCOPED_TRACE(style);
    ExpectEditsDrawnRight(*program, *style != '\0' ? style : original.toStdString());
    ExpectCombosAndListDrawnRight(*program);
    EXPECT_EQ(Grab(program->window.Widget()).pixelColor(1, 300), kBackground);
  }
  QApplication::setStyle(original);
}

TEST(Look, FontsBoldAtTheirPixelHeights) {
  auto program = LookedProgram();
  MainForm& form = program->form;
  struct FontCase {
    Control* control;
    int pixels;
  };
  const FontCase bold[] = {{&form.删除字符, 12},        {&form.编辑框_旧的文本1, 12},
                           {&form.编辑框_文件夹地址, 12}, {&form.分隔符, 12},
                           {&form.按钮_浏览文件夹, 18},   {&form.按钮_批量重命名, 15}};
  for (const FontCase& c : bold) {
    const QFont font = program->window.WidgetOf(*c.control)->font();
    EXPECT_TRUE(font.bold()) << c.control->Name();
    EXPECT_EQ(font.pixelSize(), c.pixels) << c.control->Name();
    EXPECT_EQ(QFontInfo(font).family(), "WenQuanYi Micro Hei") << c.control->Name();
  }
  for (Control* control : {&form.tj, &form.列表框1}) {
    EXPECT_EQ(program->window.WidgetOf(*control)->font(), QApplication::font()) << control->Name();
  }
  // What is drawn: a Chinese character stands as tall as its font's height.
  form.编辑框_旧的文本1.SetText("国");
  const QRect edit = InkBounds(Grab(*program->window.WidgetOf(form.编辑框_旧的文本1)), Qt::white);
  EXPECT_GE(edit.height(), 10);
  EXPECT_LE(edit.height(), 12);
  form.按钮_浏览文件夹.SetText("国");
  const QImage browse = Grab(*program->window.WidgetOf(form.按钮_浏览文件夹));
  const QRect big = InkBounds(browse.copy(4, 2, browse.width() - 8, browse.height() - 4),
                              browse.pixelColor(browse.width() / 2, 3));
  EXPECT_GE(big.height(), 15);
  EXPECT_LE(big.height(), 18);
}

QImage GrabButton(Program& program, Control& button) {
  return Grab(*program.window.WidgetOf(button));
}

TEST(Look, PictureButtonsShowTheirImagesAndHoverImages) {
  auto program = LookedProgram();
  struct PictureCase {
    Control* button;
    QColor ring;
  };
  const PictureCase cases[] = {{&program->form.图形按钮1, QColor(216, 30, 30)},
                               {&program->form.图形按钮2, QColor(255, 140, 0)}};
  for (const PictureCase& c : cases) {
    QWidget* widget = program->window.WidgetOf(*c.button);
    const QImage normal = GrabButton(*program, *c.button);
    ASSERT_EQ(normal.size(), QSize(20, 20));
    EXPECT_LE(Distance(normal.pixelColor(10, 1), c.ring), 40) << c.button->Name();
    EXPECT_LE(Distance(normal.pixelColor(10, 18), c.ring), 40) << c.button->Name();
    // Inside the ring, off the mark, the window shows through.
    EXPECT_LE(Distance(normal.pixelColor(4, 10), kBackground), 10) << c.button->Name();

    QTest::mouseMove(widget, QPoint(10, 10));
    ASSERT_TRUE(WaitUntil([&] { return widget->underMouse(); })) << c.button->Name();
    const QImage hover = GrabButton(*program, *c.button);
    EXPECT_NE(hover, normal) << c.button->Name();
    EXPECT_GT(hover.pixelColor(4, 10).red(), 240) << c.button->Name();

    QTest::mouseMove(&program->window.Widget(), QPoint(300, 20));
    ASSERT_TRUE(WaitUntil([&] { return !widget->underMouse(); })) << c.button->Name();
    EXPECT_EQ(GrabButton(*program, *c.button), normal) << c.button->Name();
  }
}

TEST(Look, PressedDisabledAndLeftWhilePressedShowTheNormalImage) {
  auto program = LookedProgram();
  Control& help = program->form.图形按钮2;
  QWidget* widget = program->window.WidgetOf(help);
  const QImage normal = GrabButton(*program, help);

  QTest::mouseMove(widget, QPoint(10, 10));
  ASSERT_TRUE(WaitUntil([&] { return widget->underMouse(); }));
  QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(GrabButton(*program, help), normal) << "pressed";
  // Out of the button and of the window with the button still held.
  QTest::mouseMove(&program->window.Widget(), QPoint(505, 480));
  QTest::mouseRelease(&program->window.Widget(), Qt::LeftButton, {}, QPoint(505, 480));
  QTest::qWait(20);
  EXPECT_EQ(GrabButton(*program, help), normal) << "released outside";

  QTest::mouseMove(widget, QPoint(10, 10));
  ASSERT_TRUE(WaitUntil([&] { return widget->underMouse(); }));
  help.SetDisabled(true);
  EXPECT_EQ(GrabButton(*program, help), normal) << "disabled";
}

TEST(Look, ImagesRenderedAtThePixelRatio) {
  TestApplication();
  const struct {
    qreal ratio;
    int pixels;
  } cases[] = {{1.0, 20}, {1.5, 30}, {2.0, 40}, {3.0, 60}};
  for (const auto& c : cases) {
    const QPixmap pixmap = RenderLookImage(LookImage::QuitNormal, QSize(20, 20), c.ratio);
    EXPECT_EQ(pixmap.size(), QSize(c.pixels, c.pixels)) << c.ratio;
    EXPECT_EQ(pixmap.devicePixelRatio(), c.ratio);
  }
  const QIcon icon = AppIcon();
  for (int size : {128, 96, 72, 64, 48, 32}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
  }
}

}  // namespace
