// The model of the main window: every control by its name, with the
// properties the handlers read and write. Handlers only ever touch the
// window through this model; a window system attaches a ControlView to each
// control to mirror writes into its widgets, and reports the user's edits
// back through the Take* calls, so a read always returns what is on screen.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class ControlKind {
  Window,
  Timer,
  Button,
  PictureButton,
  Edit,
  IntegerEdit,
  Combo,
  List,
  Label,
  MenuItem,
};

enum class Property {
  Geometry,
  Text,
  Visible,
  Disabled,
  SelectedIndex,
  ItemsReset,    // every item may have changed
  ItemAppended,  // one item was added at the end
  TimerPeriod,   // the timer is to be stopped, or restarted with the period
};

enum class Event {
  Created,
  Clicked,
  FocusGained,
  FocusLost,
  ItemSelected,
  DoubleClicked,
  LeftButtonReleased,
  RightButtonReleased,
  Tick,
};
inline constexpr std::size_t kEventCount = static_cast<std::size_t>(Event::Tick) + 1;

class Control;

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void Changed(Control& control, Property property) = 0;
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view text = {};
  std::vector<std::string> items = {};
  int selectedIndex = -1;
  bool disabled = false;
  bool tabStop = false;
  int timerPeriod = 0;
};

class Control {
 public:
  explicit Control(ControlSpec initial);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string_view Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  bool TabStop() const { return tabStop_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left);
  void SetTop(int top);

  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Disabled() const { return disabled_; }
  void SetDisabled(bool disabled);

  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);

  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // The empty text for an index outside the items.
  const std::string& ItemText(int index) const;
  void ClearItems();
  void AddItem(std::string item);
  void SetItems(std::vector<std::string> items);

  int TimerPeriod() const { return timerPeriod_; }
  // Negative periods are stored as 0; writing the current period leaves a
  // running timer alone; any other value stops it and restarts it when > 0.
  void SetTimerPeriod(int period);

  void Bind(Event event, std::function<void()> handler);
  // Runs the handler bound to the event, if any, to its end.
  void Raise(Event event);

  // The window system's side.
  void AttachView(ControlView* view) { view_ = view; }
  void TakeUserText(std::string text) { text_ = std::move(text); }
  void TakeUserSelection(int index) { selectedIndex_ = index; }
  // The user moved the window.
  void TakeUserPlace(int left, int top) {
    left_ = left;
    top_ = top;
  }

 private:
  void Notify(Property property);
  // Writes a property and tells the view, unless the value is already there.
  template <typename T>
  void Assign(T& field, T value, Property property) {
    if (field == value) return;
    field = std::move(value);
    Notify(property);
  }

  std::string_view name_;
  ControlKind kind_;
  bool tabStop_;
  int left_, top_, width_, height_;
  std::string text_;
  bool visible_ = true;
  bool disabled_;
  int selectedIndex_;
  std::vector<std::string> items_;
  int timerPeriod_;
  std::array<std::function<void()>, kEventCount> handlers_;
  ControlView* view_ = nullptr;
};

class MainForm {
 public:
  MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // The window itself: title, place and size.
  Control 窗口;

  // The controls in creation order, which is also the stacking order and
  // the base of the focus order.
  Control 时钟1;
  Control 按钮_浏览文件夹;
  Control 图形按钮2;
  Control 图形按钮1;
  Control 删除字符;
  Control 递增字符;
  Control 分隔符;
  Control tj;
  Control tim;
  Control 编辑框_旧的文本1;
  Control 编辑框_旧的文本;
  Control 编辑框_替换为;
  Control 编辑框_加前缀;
  Control 编辑框_加后缀;
  Control 列表框1;
  Control 后缀名;
  Control 按钮_批量重命名;
  Control 编辑框_文件夹地址;

  // The labels, created after the controls in this order.
  Control 标签11;
  Control 标签12;
  Control 标签10;
  Control 标签7;
  Control 标签6;
  Control 标签8;
  Control 标签1;
  Control 标签4;
  Control 标签3;
  Control 标签5;
  Control 标签2;

  // The popup menu "右键".
  Control 右键_打开;
  Control 右键_删除;

  // Every control above but the window, in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* Find(std::string_view name) const;

  // Gives the window system a turn: pending events run their handlers. The
  // window system (or a test) installs the pump; without one this does
  // nothing.
  void ProcessPendingEvents() const;
  void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

 private:
  std::vector<Control*> controls_;
  std::function<void()> pump_;
};
