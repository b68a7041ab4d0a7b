#include "ui/main_form.h"

#include <utility>

Control::Control(ControlSpec initial)
    : name_(initial.name),
      kind_(initial.kind),
      tabStop_(initial.tabStop),
      left_(initial.left),
      top_(initial.top),
      width_(initial.width),
      height_(initial.height),
      text_(initial.text),
      disabled_(initial.disabled),
      selectedIndex_(initial.selectedIndex),
      items_(std::move(initial.items)),
      timerPeriod_(initial.timerPeriod < 0 ? 0 : initial.timerPeriod) {}

void Control::Notify(Property property) {
  if (view_ != nullptr) view_->Changed(*this, property);
}

void Control::SetLeft(int left) { Assign(left_, left, Property::Geometry); }

void Control::SetTop(int top) { Assign(top_, top, Property::Geometry); }

void Control::SetText(std::string text) { Assign(text_, std::move(text), Property::Text); }

void Control::SetVisible(bool visible) { Assign(visible_, visible, Property::Visible); }

void Control::SetDisabled(bool disabled) { Assign(disabled_, disabled, Property::Disabled); }

void Control::SetSelectedIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  Assign(selectedIndex_, index, Property::SelectedIndex);
}

const std::string& Control::ItemText(int index) const {
  static const std::string kEmpty;
  if (index < 0 || index >= ItemCount()) return kEmpty;
  return items_[static_cast<std::size_t>(index)];
}

void Control::ClearItems() {
  if (items_.empty() && selectedIndex_ == -1) return;
  items_.clear();
  selectedIndex_ = -1;
  Notify(Property::ItemsReset);
}

void Control::AddItem(std::string item) {
  items_.push_back(std::move(item));
  Notify(Property::ItemAppended);
}

void Control::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  selectedIndex_ = -1;
  Notify(Property::ItemsReset);
}

void Control::SetTimerPeriod(int period) {
  Assign(timerPeriod_, period < 0 ? 0 : period, Property::TimerPeriod);
}

void Control::Bind(Event event, std::function<void()> handler) {
  handlers_[static_cast<std::size_t>(event)] = std::move(handler);
}

void Control::Raise(Event event) {
  // A copy, so that a handler that rebinds its own event still runs whole.
  auto handler = handlers_[static_cast<std::size_t>(event)];
  if (handler) handler();
}

namespace {

std::vector<std::string> SeparatorItems() {
  return {"-", "+", "_", "=", ".", "（", "）", "^", "~", "@", "#", "$", "%", "&"};
}

std::vector<std::string> ConditionItems() {
  return {"选择命名条件", "左起删除字符", "右起删除字符", "数字递增命名"};
}

ControlSpec Label(std::string_view name, int left, int top, std::string_view text) {
  return {.name = name, .kind = ControlKind::Label, .left = left, .top = top,
          .width = 55, .height = 25, .text = text};
}

ControlSpec Edit(std::string_view name, int left, int top, int width, int height,
                 ControlKind kind = ControlKind::Edit, bool disabled = false, bool tabStop = true) {
  return {.name = name, .kind = kind, .left = left, .top = top, .width = width,
          .height = height, .disabled = disabled, .tabStop = tabStop};
}

}  // namespace

MainForm::MainForm()
    : 窗口({.name = "窗口", .kind = ControlKind::Window, .width = 510, .height = 485,
            .text = "Torvane_文件批量重命名"}),
      时钟1({.name = "时钟1", .kind = ControlKind::Timer, .left = 160, .top = 280,
             .width = 40, .height = 32, .timerPeriod = 0}),
      按钮_浏览文件夹({.name = "按钮_浏览文件夹", .kind = ControlKind::Button, .left = 461,
                      .top = 3, .width = 46, .height = 22, .text = "浏览", .tabStop = true}),
      图形按钮2({.name = "图形按钮2", .kind = ControlKind::PictureButton, .left = 462,
                 .top = 28, .width = 20, .height = 20}),
      图形按钮1({.name = "图形按钮1", .kind = ControlKind::PictureButton, .left = 486,
                 .top = 28, .width = 20, .height = 20}),
      删除字符(Edit("删除字符", 464, 53, 40, 22, ControlKind::IntegerEdit, true)),
      递增字符(Edit("递增字符", 464, 78, 40, 22, ControlKind::IntegerEdit, true)),
      分隔符({.name = "分隔符", .kind = ControlKind::Combo, .left = 350, .top = 104,
              .width = 53, .height = 20, .items = SeparatorItems(), .selectedIndex = 0,
              .disabled = true, .tabStop = true}),
      tj({.name = "tj", .kind = ControlKind::Combo, .left = 57, .top = 104, .width = 100,
          .height = 27, .items = ConditionItems(), .selectedIndex = 0, .tabStop = true}),
      tim({.name = "tim", .kind = ControlKind::Timer, .left = 254, .top = 270, .width = 32,
           .height = 32, .timerPeriod = 50}),
      编辑框_旧的文本1(Edit("编辑框_旧的文本1", 58, 28, 398, 22)),
      编辑框_旧的文本(Edit("编辑框_旧的文本", 58, 53, 190, 22)),
      编辑框_替换为(Edit("编辑框_替换为", 58, 78, 190, 22)),
      编辑框_加前缀(Edit("编辑框_加前缀", 306, 53, 100, 22)),
      编辑框_加后缀(Edit("编辑框_加后缀", 306, 78, 100, 22)),
      列表框1({.name = "列表框1", .kind = ControlKind::List, .left = 4, .top = 128,
               .width = 502, .height = 353, .selectedIndex = -1, .tabStop = true}),
      后缀名(Edit("后缀名", 228, 103, 66, 22)),
      按钮_批量重命名({.name = "按钮_批量重命名", .kind = ControlKind::Button, .left = 406,
                      .top = 103, .width = 100, .height = 22, .text = "重命名",
                      .tabStop = true}),
      编辑框_文件夹地址(Edit("编辑框_文件夹地址", 58, 3, 398, 22, ControlKind::Edit, false,
                             false)),
      标签11(Label("标签11", 169, 102, "文件后缀")),
      标签12(Label("标签12", 294, 103, "分隔符号")),
      标签10(Label("标签10", 407, 77, "递增字数")),
      标签7(Label("标签7", 407, 52, "删除字数")),
      标签6(Label("标签6", 248, 52, "文本前缀")),
      标签8(Label("标签8", 248, 77, "文本后缀")),
      标签1(Label("标签1", 0, 102, "条件命名")),
      标签4(Label("标签4", 0, 77, "替换件名")),
      标签3(Label("标签3", 0, 52, "原文件名")),
      标签5(Label("标签5", 0, 27, "选中件名")),
      标签2(Label("标签2", 0, 3, "文件目录")),
      右键_打开({.name = "右键_打开", .kind = ControlKind::MenuItem, .text = "打开"}),
      右键_删除({.name = "右键_删除", .kind = ControlKind::MenuItem, .text = "删除"}),
      controls_{&时钟1,          &按钮_浏览文件夹, &图形按钮2,       &图形按钮1,
                &删除字符,       &递增字符,       &分隔符,          &tj,
                &tim,            &编辑框_旧的文本1, &编辑框_旧的文本, &编辑框_替换为,
                &编辑框_加前缀,  &编辑框_加后缀,  &列表框1,         &后缀名,
                &按钮_批量重命名, &编辑框_文件夹地址, &标签11,        &标签12,
                &标签10,         &标签7,          &标签6,           &标签8,
                &标签1,          &标签4,          &标签3,           &标签5,
                &标签2,          &右键_打开,      &右键_删除} {}

Control* MainForm::Find(std::string_view name) const {
  for (Control* control : controls_) {
    if (control->Name() == name) return control;
  }
  return name == 窗口.Name() ? const_cast<Control*>(&窗口) : nullptr;
}

void MainForm::ProcessPendingEvents() const {
  if (pump_) pump_();
}
