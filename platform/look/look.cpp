#include "platform/look/look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>
#include <QWindow>

#include "platform/picture_button.h"
#include "platform/resources/look_images.h"

namespace {

const QColor kBackground(116, 185, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kSteelBlue(0, 96, 192);
const QColor kGrey(128, 128, 128);

QFont BoldFont(int pixelHeight) {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback"),
                    font.family()});
  font.setPixelSize(pixelHeight);
  font.setBold(true);
  return font;
}

// White ground, the text colour while enabled; disabled text stays greyed.
void PaintWhite(QWidget& widget, const QColor& text) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, Qt::white);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Text, text);
  }
  widget.setPalette(palette);
}

struct EditLook {
  QColor text;
  bool centred;
};

EditLook EditLookOf(const MainForm& form, const Control& control) {
  if (&control == &form.删除字符 || &control == &form.递增字符 || &control == &form.后缀名) {
    return {kRed, true};
  }
  if (&control == &form.编辑框_旧的文本) return {kRed, false};
  if (&control == &form.编辑框_替换为) return {kBlue, false};
  if (&control == &form.编辑框_加前缀) return {kBlue, true};
  if (&control == &form.编辑框_加后缀) return {kSteelBlue, true};
  if (&control == &form.编辑框_文件夹地址) return {kGrey, false};
  return {Qt::black, false};
}

void LookOfEdit(const MainForm& form, const Control& control, QLineEdit& edit) {
  const EditLook look = EditLookOf(form, control);
  edit.setFrame(false);
  edit.setAlignment((look.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
  PaintWhite(edit, look.text);
  edit.setFont(BoldFont(12));
}

void LookOfCombo(const MainForm& form, const Control& control, QComboBox& combo) {
  combo.setStyleSheet(QStringLiteral(
      "QComboBox { background-color: white; color: rgb(0, 96, 192);"
      " border: 1px solid rgb(160, 160, 160); padding-left: 3px; }"
      "QComboBox:disabled { color: rgb(128, 128, 128); }"
      "QComboBox QAbstractItemView { background-color: white; color: rgb(0, 96, 192);"
      " selection-background-color: rgb(0, 96, 192); selection-color: white; }"));
  if (&control == &form.分隔符) combo.setFont(BoldFont(12));
}

void LookOfList(QAbstractItemView& list) {
  list.setFrameShape(QFrame::NoFrame);
  PaintWhite(list, Qt::black);
}

// Renders both images at the pixel density of the screen the button shows
// on, again whenever the window moves to another screen. The hover image is
// offered only while the mouse is over the button with no button held, so
// a press, and a release after leaving, show the normal image.
class PictureImages : public QObject {
 public:
  PictureImages(PictureButton& button, LookImage normal, LookImage hover)
      : QObject(&button), button_(button), normalImage_(normal), hoverImage_(hover) {
    Render();
    button.installEventFilter(this);
    button.window()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &button_) {
      if (event->type() == QEvent::Show) WatchScreen();
      return false;
    }
    switch (event->type()) {
      case QEvent::Enter:
        over_ = true;
        break;
      case QEvent::Leave:
        over_ = false;
        break;
      case QEvent::MouseButtonPress:
        held_ = true;
        break;
      case QEvent::MouseButtonRelease:
        held_ = false;
        over_ = button_.rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
      default:
        return false;
    }
    Offer();
    return false;
  }

 private:
  void WatchScreen() {
    QWindow* handle = button_.window()->windowHandle();
    if (watching_ || handle == nullptr) return;
    watching_ = true;
    connect(handle, &QWindow::screenChanged, this, [this] { Render(); });
    Render();
  }

  void Render() {
    const qreal ratio = button_.devicePixelRatioF();
    if (ratio == renderedRatio_) return;
    renderedRatio_ = ratio;
    const QSize size(20, 20);
    normal_ = RenderLookImage(normalImage_, size, ratio);
    hover_ = RenderLookImage(hoverImage_, size, ratio);
    Offer();
  }

  void Offer() { button_.SetImages(normal_, over_ && !held_ ? hover_ : normal_); }

  PictureButton& button_;
  LookImage normalImage_;
  LookImage hoverImage_;
  QPixmap normal_;
  QPixmap hover_;
  qreal renderedRatio_ = 0;
  bool watching_ = false;
  bool over_ = false;
  bool held_ = false;
};

void LookOfControl(const MainForm& form, const Control& control, QWidget& widget) {
  switch (control.Kind()) {
    case ControlKind::Edit:
    case ControlKind::IntegerEdit:
      if (auto* edit = qobject_cast<QLineEdit*>(&widget)) LookOfEdit(form, control, *edit);
      break;
    case ControlKind::Combo:
      if (auto* combo = qobject_cast<QComboBox*>(&widget)) LookOfCombo(form, control, *combo);
      break;
    case ControlKind::List:
      if (auto* list = qobject_cast<QAbstractItemView*>(&widget)) LookOfList(*list);
      break;
    case ControlKind::Button:
      widget.setFont(BoldFont(&control == &form.按钮_浏览文件夹 ? 18 : 15));
      break;
    case ControlKind::PictureButton:
      if (auto* button = dynamic_cast<PictureButton*>(&widget)) {
        const bool quit = &control == &form.图形按钮1;
        new PictureImages(*button, quit ? LookImage::QuitNormal : LookImage::HelpNormal,
                          quit ? LookImage::QuitHover : LookImage::HelpHover);
      }
      break;
    case ControlKind::Label:
      widget.setAutoFillBackground(false);
      break;
    case ControlKind::Window:
    case ControlKind::Timer:
    case ControlKind::MenuItem:
      break;
  }
}

}  // namespace

void ApplyLook(const MainForm& form, QWidget& window, const WidgetLookup& widgetOf) {
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, kBackground);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setWindowIcon(AppIcon());
  for (const Control* control : form.Controls()) {
    if (QWidget* widget = widgetOf(*control)) LookOfControl(form, *control, *widget);
  }
}
