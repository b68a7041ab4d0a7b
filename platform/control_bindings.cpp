#include "platform/control_bindings.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <limits>

#include "platform/name_display.h"
#include "platform/name_list_model.h"
#include "platform/picture_button.h"

ControlBinding::ControlBinding(Control& control) : control_(control) {}

ControlBinding::~ControlBinding() { control_.AttachView(nullptr); }

void ControlBinding::Changed(Control&, Property property) {
  ++writing_;
  Show(property);
  --writing_;
}

void ControlBinding::Show(Property property) {
  QWidget* widget = Widget();
  if (widget == nullptr) return;
  switch (property) {
    case Property::Geometry:
      widget->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
      break;
    case Property::Visible:
      widget->setVisible(control_.Visible());
      break;
    case Property::Disabled:
      widget->setEnabled(!control_.Disabled());
      break;
    default:
      break;
  }
}

void ControlBinding::Watch(QWidget* widget) { widget->installEventFilter(this); }

bool ControlBinding::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    // A popup (a drop-down list, a context menu) leaves the keyboard focus
    // where it is, as far as the handlers are concerned.
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      control_.Raise(event->type() == QEvent::FocusIn ? Event::FocusGained : Event::FocusLost);
    }
    return false;
  }
  return OtherEvent(event);
}

namespace {

Qt::MouseButton ButtonOf(QEvent* event) { return static_cast<QMouseEvent*>(event)->button(); }

class WindowBinding : public ControlBinding {
 public:
  WindowBinding(Control& control, QWidget* window) : ControlBinding(control), window_(window) {
    Watch(window_);
  }

  void Show(Property property) override {
    if (property == Property::Text) {
      window_->setWindowTitle(DisplayText(Model().Text()));
    } else if (property == Property::Geometry) {
      window_->setFixedSize(Model().Width(), Model().Height());
      window_->move(Model().Left(), Model().Top());
    }
  }

  bool OtherEvent(QEvent* event) override {
    if (event->type() == QEvent::Move && !Writing()) {
      Model().TakeUserPlace(window_->x(), window_->y());
    }
    return false;
  }

 private:
  QWidget* window_;
};

class EditBinding : public ControlBinding {
 public:
  EditBinding(Control& control, QWidget* window)
      : ControlBinding(control), edit_(new QLineEdit(window)) {
    edit_->setFrame(false);
    edit_->setMaxLength(std::numeric_limits<int>::max());
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (!Writing()) Model().TakeUserText(text.toStdString());
    });
    Watch(edit_);
  }

  QWidget* Widget() const override { return edit_; }

  void Show(Property property) override {
    if (property != Property::Text) return ControlBinding::Show(property);
    edit_->setText(DisplayText(Model().Text()));
  }

  bool OtherEvent(QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease && ButtonOf(event) == Qt::LeftButton) {
      Model().Raise(Event::LeftButtonReleased);
    }
    if (event->type() == QEvent::KeyPress &&
        dynamic_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      return CopyNameBytes();
    }
    return false;
  }

 private:
  // A name that is shown by a rendering (a legacy GBK name, say) is copied
  // with its own bytes beside the rendering, so that a piece of it taken as
  // the text to replace still matches the name on disk.
  bool CopyNameBytes() {
    const std::string& text = Model().Text();
    if (!edit_->hasSelectedText() || !ShownAsRendering(text) ||
        edit_->text() != DisplayText(text)) {
      return false;
    }
    const qsizetype from = edit_->selectionStart();
    auto* data = new QMimeData;
    data->setText(edit_->selectedText());
    const std::string bytes = BytesShownAt(text, from, from + edit_->selectedText().size());
    data->setData(QString::fromLatin1(kNameBytesFormat),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    return true;
  }

  QLineEdit* edit_;
};

class ComboBinding : public ControlBinding {
 public:
  ComboBinding(Control& control, QWidget* window)
      : ControlBinding(control), combo_(new QComboBox(window)) {
    connect(combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
      if (!Writing()) Model().TakeUserSelection(index);
    });
    Watch(combo_);
  }

  QWidget* Widget() const override { return combo_; }

  void Show(Property property) override {
    if (property == Property::ItemsReset || property == Property::ItemAppended) {
      combo_->clear();
      for (const std::string& item : Model().Items()) combo_->addItem(DisplayText(item));
      combo_->setCurrentIndex(Model().SelectedIndex());
    } else if (property == Property::SelectedIndex) {
      combo_->setCurrentIndex(Model().SelectedIndex());
    } else {
      ControlBinding::Show(property);
    }
  }

 private:
  QComboBox* combo_;
};

class ListBinding : public ControlBinding {
 public:
  ListBinding(Control& control, QWidget* window)
      : ControlBinding(control), view_(new QListView(window)), rows_(new NameListModel(control, view_)) {
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setModel(rows_);
    // The selection, not Qt's current index: a view that gains the focus
    // moves its current index to the first row without selecting anything.
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UserSelected(); });
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this] { Model().Raise(Event::DoubleClicked); });
    Watch(view_);
    Watch(view_->viewport());
  }

  QWidget* Widget() const override { return view_; }

  void Show(Property property) override {
    if (property == Property::ItemsReset) {
      rows_->ItemsReset();
      ShowSelection();
    } else if (property == Property::ItemAppended) {
      rows_->ItemAppended();
    } else if (property == Property::SelectedIndex) {
      ShowSelection();
    } else {
      ControlBinding::Show(property);
    }
  }

  // The right button never moves the current item: the menu it opens acts on
  // the item that was current before.
  bool OtherEvent(QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
        if (ButtonOf(event) != Qt::RightButton) return false;
        Model().Raise(Event::RightButtonReleased);
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return ButtonOf(event) == Qt::RightButton;
      case QEvent::MouseMove:
        return (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) == 0 &&
               (static_cast<QMouseEvent*>(event)->buttons() & Qt::RightButton) != 0;
      default:
        return false;
    }
  }

 private:
  void UserSelected() {
    if (Writing()) return;
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    const int row = selected.isEmpty() ? -1 : selected.first().row();
    Model().TakeUserSelection(row);
    if (row >= 0) Model().Raise(Event::ItemSelected);
  }

  void ShowSelection() {
    const int index = Model().SelectedIndex();
    if (index < 0) {
      view_->selectionModel()->clear();
      return;
    }
    const QModelIndex row = rows_->index(index);
    view_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    view_->scrollTo(row);
  }

  QListView* view_;
  NameListModel* rows_;
};

class ButtonBinding : public ControlBinding {
 public:
  ButtonBinding(Control& control, QAbstractButton* button) : ControlBinding(control), button_(button) {
    connect(button_, &QAbstractButton::clicked, this, [this] { Model().Raise(Event::Clicked); });
    Watch(button_);
  }

  QWidget* Widget() const override { return button_; }

  void Show(Property property) override {
    if (property != Property::Text) return ControlBinding::Show(property);
    button_->setText(DisplayText(Model().Text()));
  }

 private:
  QAbstractButton* button_;
};

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(Control& control, QWidget* window) : ControlBinding(control), label_(new QLabel(window)) {
    label_->setTextFormat(Qt::PlainText);
  }

  QWidget* Widget() const override { return label_; }

  void Show(Property property) override {
    if (property != Property::Text) return ControlBinding::Show(property);
    label_->setText(DisplayText(Model().Text()));
  }

 private:
  QLabel* label_;
};

class TimerBinding : public ControlBinding {
 public:
  TimerBinding(Control& control, QWidget* window) : ControlBinding(control), timer_(new QTimer(window)) {
    connect(timer_, &QTimer::timeout, this, [this] { Model().Raise(Event::Tick); });
  }

  QTimer* Timer() const override { return timer_; }

  void Show(Property property) override {
    if (property != Property::TimerPeriod) return;
    timer_->stop();
    if (Model().TimerPeriod() > 0) timer_->start(Model().TimerPeriod());
  }

 private:
  QTimer* timer_;
};

// The chosen item's event runs once the menu has closed and the handler that
// opened it has ended, as a menu command posted to the window.
class MenuItemBinding : public ControlBinding {
 public:
  MenuItemBinding(Control& control, QMenu* menu) : ControlBinding(control), action_(menu->addAction(QString())) {
    connect(action_, &QAction::triggered, this, [this] {
      QMetaObject::invokeMethod(this, [this] { Model().Raise(Event::Clicked); }, Qt::QueuedConnection);
    });
  }

  QAction* Action() const override { return action_; }

  void Show(Property property) override {
    if (property == Property::Text) action_->setText(DisplayText(Model().Text()));
    if (property == Property::Disabled) action_->setEnabled(!Model().Disabled());
    if (property == Property::Visible) action_->setVisible(Model().Visible());
  }

 private:
  QAction* action_;
};

std::unique_ptr<ControlBinding> MakeBinding(Control& control, QWidget* window, QMenu* menu) {
  switch (control.Kind()) {
    case ControlKind::Window: return std::make_unique<WindowBinding>(control, window);
    case ControlKind::Timer: return std::make_unique<TimerBinding>(control, window);
    case ControlKind::Button: return std::make_unique<ButtonBinding>(control, new QPushButton(window));
    case ControlKind::PictureButton:
      return std::make_unique<ButtonBinding>(control, new PictureButton(window));
    case ControlKind::Edit:
    case ControlKind::IntegerEdit: return std::make_unique<EditBinding>(control, window);
    case ControlKind::Combo: return std::make_unique<ComboBinding>(control, window);
    case ControlKind::List: return std::make_unique<ListBinding>(control, window);
    case ControlKind::Label: return std::make_unique<LabelBinding>(control, window);
    case ControlKind::MenuItem: return std::make_unique<MenuItemBinding>(control, menu);
  }
  return nullptr;
}

Qt::FocusPolicy FocusPolicyOf(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::Edit:
    case ControlKind::IntegerEdit:
    case ControlKind::Button:
    case ControlKind::Combo:
    case ControlKind::List: return control.TabStop() ? Qt::StrongFocus : Qt::ClickFocus;
    default: return Qt::NoFocus;
  }
}

}  // namespace

std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget* window, QMenu* menu) {
  std::unique_ptr<ControlBinding> binding = MakeBinding(control, window, menu);
  const QString name = QString::fromUtf8(control.Name().data(), static_cast<qsizetype>(control.Name().size()));
  binding->setObjectName(name);
  if (QWidget* widget = binding->Widget()) {
    widget->setObjectName(name);
    widget->setFocusPolicy(FocusPolicyOf(control));
  }
  if (QTimer* timer = binding->Timer()) timer->setObjectName(name);
  if (QAction* action = binding->Action()) action->setObjectName(name);
  control.AttachView(binding.get());
  for (const Property property : {Property::Geometry, Property::Text, Property::Disabled,
                                  Property::ItemsReset, Property::SelectedIndex, Property::TimerPeriod}) {
    binding->Changed(control, property);
  }
  if (!control.Visible()) binding->Changed(control, Property::Visible);
  return binding;
}
