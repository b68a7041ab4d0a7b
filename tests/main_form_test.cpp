#include "ui/main_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Recorded {
  std::string control;
  Property property;
  bool operator==(const Recorded&) const = default;
};

class RecordingView : public ControlView {
 public:
  std::vector<Recorded> changes;
  void Changed(Control& control, Property property) override {
    changes.push_back({std::string(control.Name()), property});
  }
};

TEST(Control, TimerPeriodStoresNegativeAsZeroAndIgnoresTheSameValue) {
  struct Case {
    const char* name;
    int start;
    int write;
    int stored;
    bool restarts;
  };
  const Case cases[] = {
      {"NegativeStopsRunningTimer", 100, -5, 0, true},
      {"NegativeOnStoppedTimerIsNoChange", 0, -5, 0, false},
      {"SameValueKeepsRhythm", 50, 50, 50, false},
      {"NewValueRestarts", 50, 100, 100, true},
      {"ZeroStops", 100, 0, 0, true},
  };
  for (const Case& c : cases) {
    Control timer({.name = "t", .kind = ControlKind::Timer, .timerPeriod = c.start});
    RecordingView view;
    timer.AttachView(&view);
    timer.SetTimerPeriod(c.write);
    EXPECT_EQ(timer.TimerPeriod(), c.stored) << c.name;
    EXPECT_EQ(view.changes.size(), c.restarts ? 1u : 0u) << c.name;
  }
}

TEST(Control, ItemTextOutsideTheItemsIsEmpty) {
  MainForm form;
  for (int index : {-1, -100, 14, 1000}) EXPECT_EQ(form.分隔符.ItemText(index), "") << index;
  EXPECT_EQ(form.分隔符.ItemText(2), "_");
  EXPECT_EQ(form.tj.ItemText(3), "数字递增命名");
}

TEST(Control, WritesReachTheViewOnlyWhenSomethingChanges) {
  MainForm form;
  RecordingView view;
  form.tj.AttachView(&view);
  form.tj.SetDisabled(false);  // already enabled
  form.tj.SetDisabled(true);
  form.tj.SetDisabled(true);
  form.tj.SetSelectedIndex(0);  // already 0
  form.tj.SetSelectedIndex(2);
  form.tj.SetText("x");
  EXPECT_EQ(view.changes, (std::vector<Recorded>{{"tj", Property::Disabled},
                                                  {"tj", Property::SelectedIndex},
                                                  {"tj", Property::Text}}));
}

TEST(Control, UserEditsAreReadBackWithoutEcho) {
  MainForm form;
  RecordingView view;
  form.编辑框_加前缀.AttachView(&view);
  form.编辑框_加前缀.TakeUserText("typed");
  EXPECT_EQ(form.编辑框_加前缀.Text(), "typed");
  EXPECT_TRUE(view.changes.empty());
}

TEST(Control, ListItemsResetAndAppend) {
  MainForm form;
  RecordingView view;
  form.列表框1.AttachView(&view);
  form.列表框1.SetItems({"a", "b"});
  form.列表框1.TakeUserSelection(1);
  form.列表框1.AddItem("c");
  EXPECT_EQ(form.列表框1.SelectedIndex(), 1);
  form.列表框1.ClearItems();
  EXPECT_EQ(form.列表框1.ItemCount(), 0);
  EXPECT_EQ(form.列表框1.SelectedIndex(), -1);
  EXPECT_EQ(view.changes, (std::vector<Recorded>{{"列表框1", Property::ItemsReset},
                                                  {"列表框1", Property::ItemAppended},
                                                  {"列表框1", Property::ItemsReset}}));
}

TEST(Control, RaiseRunsTheBoundHandler) {
  MainForm form;
  int clicks = 0;
  form.按钮_批量重命名.Raise(Event::Clicked);  // nothing bound: nothing happens
  form.按钮_批量重命名.Bind(Event::Clicked, [&] { ++clicks; });
  form.按钮_批量重命名.Raise(Event::Clicked);
  form.按钮_批量重命名.Raise(Event::DoubleClicked);
  EXPECT_EQ(clicks, 1);
}

TEST(MainForm, StartupStatesFollowTheControlTable) {
  MainForm form;
  struct Case {
    const Control& control;
    int left, top, width, height;
    bool disabled, tabStop;
  };
  const Case cases[] = {
      {form.按钮_浏览文件夹, 461, 3, 46, 22, false, true},
      {form.删除字符, 464, 53, 40, 22, true, true},
      {form.递增字符, 464, 78, 40, 22, true, true},
      {form.分隔符, 350, 104, 53, 20, true, true},
      {form.tj, 57, 104, 100, 27, false, true},
      {form.列表框1, 4, 128, 502, 353, false, true},
      {form.按钮_批量重命名, 406, 103, 100, 22, false, true},
      {form.编辑框_文件夹地址, 58, 3, 398, 22, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.control.Left(), c.left) << c.control.Name();
    EXPECT_EQ(c.control.Top(), c.top) << c.control.Name();
    EXPECT_EQ(c.control.Width(), c.width) << c.control.Name();
    EXPECT_EQ(c.control.Height(), c.height) << c.control.Name();
    EXPECT_EQ(c.control.Disabled(), c.disabled) << c.control.Name();
    EXPECT_EQ(c.control.TabStop(), c.tabStop) << c.control.Name();
  }
  EXPECT_EQ(form.tim.TimerPeriod(), 50);
  EXPECT_EQ(form.时钟1.TimerPeriod(), 0);
  EXPECT_EQ(form.分隔符.ItemCount(), 14);
  EXPECT_EQ(form.分隔符.SelectedIndex(), 0);
  EXPECT_EQ(form.窗口.Width(), 510);
  EXPECT_EQ(form.窗口.Height(), 485);
  EXPECT_EQ(form.窗口.Text(), "Torvane_文件批量重命名");
  EXPECT_EQ(form.Controls().front(), &form.时钟1);
  EXPECT_EQ(form.Find("编辑框_文件夹地址"), &form.编辑框_文件夹地址);
  EXPECT_EQ(form.Find("标签2")->Text(), "文件目录");
}

}  // namespace
