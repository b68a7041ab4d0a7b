#include "ui/startup.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "ui/control_states.h"
#include "ui/main_form.h"
#include "ui/services.h"

namespace {

// Records what the startup asks of the desktop, in order.
class RecordingServices : public Services {
 public:
  ScreenSize screen{800, 600};
  std::vector<std::string> calls;

  ScreenSize PrimaryScreenSize() override {
    calls.push_back("screen size");
    return screen;
  }
  void SetFocus(Control& control) override { calls.push_back("focus " + std::string(control.Name())); }
  std::string ReadClipboardText() override { return {}; }
  void EmptyClipboard() override { calls.push_back("empty clipboard"); }
  void SendKeyEvent(int, bool) override {}
  ScreenPoint CursorPosition() override { return {}; }
  void ShowPopupMenu(ScreenPoint) override {}
  std::string BrowseForFolder(std::string_view) override { return {}; }
  void ShellOpen(std::string_view, ShowMode) override {}
  void OpenUserGuide() override {}
  void BeginBusy() override { calls.push_back("begin busy"); }
  void EndBusy() override { calls.push_back("end busy"); }
  void EndProgram(int) override {}
};

// Every property write the form announces, as "control property".
class WriteLog : public ControlView {
 public:
  explicit WriteLog(MainForm& form) : form_(form) {
    for (Control* control : form_.Controls()) control->AttachView(this);
  }
  ~WriteLog() override {
    for (Control* control : form_.Controls()) control->AttachView(nullptr);
  }
  void Changed(Control& control, Property property) override {
    writes.push_back(std::string(control.Name()) + (property == Property::Disabled ? " Disabled" : " other"));
  }
  std::vector<std::string> writes;

 private:
  MainForm& form_;
};

struct PlacementCase {
  const char* name;
  ScreenSize screen;
  int left;
  int top;
};

TEST(CenterWindowTest, CentresAcrossAndAQuarterDownTruncatingTowardZero) {
  const PlacementCase cases[] = {
      {"800 x 600: 145.0 and 28.75", {800, 600}, 145, 28},
      {"1920 x 1080", {1920, 1080}, 705, 148},
      {"smaller screen: -21.25 truncates up to -21, not -22", {500, 400}, -5, -21},
      {"one pixel smaller: -0.5 and -0.25 truncate to 0", {509, 484}, 0, 0},
      {"exactly the window's size", {510, 485}, 0, 0},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    MainForm form;
    RecordingServices services;
    services.screen = c.screen;
    CenterWindow(form, services);
    EXPECT_EQ(form.窗口.Left(), c.left);
    EXPECT_EQ(form.窗口.Top(), c.top);
  }
}

TEST(PrepareMainFormTest, PlacesDisablesFocusesTheListEmptiesClipboardAndOldText) {
  MainForm form;
  RecordingServices services;
  form.编辑框_旧的文本.SetText("left over");
  PrepareMainForm(form, services);

  EXPECT_EQ(services.calls,
            (std::vector<std::string>{"screen size", "focus 列表框1", "empty clipboard"}));
  EXPECT_EQ(form.窗口.Left(), 145);
  EXPECT_EQ(form.窗口.Top(), 28);
  EXPECT_TRUE(form.tj.Disabled());
  EXPECT_TRUE(form.按钮_批量重命名.Disabled());
  EXPECT_EQ(form.编辑框_旧的文本.Text(), "");
  for (Control* control : {&form.删除字符, &form.递增字符, &form.分隔符}) {
    EXPECT_TRUE(control->Disabled()) << control->Name();
  }
}

TEST(PrepareMainFormTest, AFolderAlreadyGivenLeavesTheRenameCommandEnabled) {
  MainForm form;
  RecordingServices services;
  form.编辑框_文件夹地址.SetText("/tmp");
  PrepareMainForm(form, services);
  EXPECT_FALSE(form.tj.Disabled());
  EXPECT_FALSE(form.按钮_批量重命名.Disabled());
}

struct StateCase {
  const char* name;
  int condition;                // tj.SelectedIndex
  bool startDisabled;           // 删除字符, 递增字符, 分隔符 before the tick
  bool deleteCount, startNumber, separator;  // disabled after the tick
};

TEST(UpdateControlStatesTest, TheConditionDecidesTheCountFieldsAndTheSeparator) {
  const StateCase cases[] = {
      {"选择命名条件 disables all three", 0, false, true, true, true},
      {"左起删除字符 enables the count only", 1, true, false, true, true},
      {"右起删除字符 enables the count only", 2, true, false, true, true},
      {"数字递增命名 enables start number and separator", 3, true, true, false, false},
      {"no item leaves enabled fields enabled", -1, false, false, false, false},
      {"no item leaves disabled fields disabled", -1, true, true, true, true},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.name);
    MainForm form;
    form.删除字符.SetText("3");
    form.递增字符.SetText("7");
    for (Control* control : {&form.删除字符, &form.递增字符, &form.分隔符}) {
      control->SetDisabled(c.startDisabled);
    }
    form.tj.SetSelectedIndex(c.condition);
    UpdateControlStates(form);
    EXPECT_EQ(form.删除字符.Disabled(), c.deleteCount);
    EXPECT_EQ(form.递增字符.Disabled(), c.startNumber);
    EXPECT_EQ(form.分隔符.Disabled(), c.separator);
    // Disabling a field never empties it.
    EXPECT_EQ(form.删除字符.Text(), "3");
    EXPECT_EQ(form.递增字符.Text(), "7");
  }
}

struct FolderCase {
  const char* name;
  std::string folder;
  bool disabledBefore;
  bool disabledAfter;
};

TEST(UpdateControlStatesTest, AFolderEnablesTheRenameCommandAndNothingDisablesItAgain) {
  const FolderCase cases[] = {
      {"empty folder field keeps them disabled", "", true, true},
      {"a folder enables them", "/tmp", true, false},
      {"blanks are not empty", "  ", true, false},
      {"an emptied folder field does not disable them again", "", false, false},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    MainForm form;
    form.tj.SetDisabled(c.disabledBefore);
    form.按钮_批量重命名.SetDisabled(c.disabledBefore);
    form.编辑框_文件夹地址.SetText(c.folder);
    UpdateControlStates(form);
    EXPECT_EQ(form.tj.Disabled(), c.disabledAfter);
    EXPECT_EQ(form.按钮_批量重命名.Disabled(), c.disabledAfter);
  }
}

TEST(UpdateControlStatesTest, WritesOnlyTheDisabledStatesOfItsFiveControlsInRuleOrder) {
  MainForm form;
  for (Control* control : form.Controls()) control->SetDisabled(true);
  form.删除字符.SetDisabled(false);
  form.编辑框_文件夹地址.SetText("/tmp");
  form.tj.SetSelectedIndex(3);
  WriteLog log(form);
  UpdateControlStates(form);
  EXPECT_EQ(log.writes,
            (std::vector<std::string>{"按钮_批量重命名 Disabled", "tj Disabled", "删除字符 Disabled",
                                      "分隔符 Disabled", "递增字符 Disabled"}));
  log.writes.clear();
  UpdateControlStates(form);
  EXPECT_TRUE(log.writes.empty()) << "a repeated tick must change nothing";
}

TEST(BindHandlersTest, TheControlTableEventsRunTheirHandlers) {
  TempFolder folder;
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  MainForm form;
  RecordingServices services;
  BindHandlers(form, services);

  form.窗口.Raise(Event::Created);
  EXPECT_EQ(form.窗口.Left(), 145) << "created runs PrepareMainForm";
  EXPECT_TRUE(form.按钮_批量重命名.Disabled());

  form.编辑框_文件夹地址.SetText(folder.Path());
  form.tim.Raise(Event::Tick);
  EXPECT_FALSE(form.按钮_批量重命名.Disabled()) << "tim's tick runs UpdateControlStates";

  form.编辑框_加前缀.SetText("x");
  services.calls.clear();
  form.按钮_批量重命名.Raise(Event::Clicked);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"xa.jpg", "xb.jpg"}));
  EXPECT_EQ(services.calls, (std::vector<std::string>{"begin busy", "end busy"}))
      << "the whole rename runs busy";
}

}  // namespace
