#include "ui/focus_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A folder is chosen and "数字递增命名" picked: the state the control-state
// timer leaves behind.
void CountingModeWithFolder(MainForm& form) {
  form.编辑框_文件夹地址.SetText("/tmp/photos");
  form.tj.SetSelectedIndex(3);
  form.tj.SetDisabled(false);
  form.按钮_批量重命名.SetDisabled(false);
  form.分隔符.SetDisabled(false);
  form.递增字符.SetDisabled(false);
  form.删除字符.SetDisabled(true);
}

std::vector<std::string> Walk(const MainForm& form, const Control& from, bool shiftTab,
                              int steps) {
  std::vector<std::string> names;
  const Control* at = &from;
  for (int i = 0; i < steps; ++i) {
    at = NextFocus(form, *at, shiftTab);
    if (at == nullptr) break;
    names.emplace_back(at->Name());
  }
  return names;
}

TEST(NextFocus, TabWalksUpwardsAndWraps) {
  MainForm form;
  CountingModeWithFolder(form);
  const std::vector<std::string> expected = {"tj", "分隔符", "递增字符", "按钮_浏览文件夹",
                                             "按钮_批量重命名", "后缀名", "列表框1"};
  EXPECT_EQ(Walk(form, form.编辑框_旧的文本1, false, 7), expected);
}

TEST(NextFocus, ShiftTabWalksDownwardsAndWraps) {
  MainForm form;
  CountingModeWithFolder(form);
  const std::vector<std::string> expected = {
      "编辑框_旧的文本", "编辑框_替换为", "编辑框_加前缀", "编辑框_加后缀", "列表框1",
      "后缀名",          "按钮_批量重命名", "按钮_浏览文件夹", "递增字符"};
  EXPECT_EQ(Walk(form, form.编辑框_旧的文本1, true, 9), expected);
}

TEST(NextFocus, NeverReachesNonCandidates) {
  MainForm form;
  CountingModeWithFolder(form);
  for (bool shiftTab : {false, true}) {
    const Control* at = &form.列表框1;
    for (std::size_t i = 0; i < 2 * form.Controls().size(); ++i) {
      at = NextFocus(form, *at, shiftTab);
      ASSERT_NE(at, nullptr);
      EXPECT_TRUE(IsFocusCandidate(form, *at)) << at->Name();
      EXPECT_NE(at, &form.编辑框_文件夹地址);
      EXPECT_NE(at->Kind(), ControlKind::PictureButton) << at->Name();
    }
  }
}

TEST(NextFocus, SkipsHiddenAndDisabledControls) {
  MainForm form;  // startup state: tj and the rename button enabled in the table
  form.tj.SetDisabled(true);
  form.按钮_批量重命名.SetVisible(false);
  EXPECT_EQ(NextFocus(form, form.编辑框_旧的文本1, false)->Name(), "按钮_浏览文件夹");
  EXPECT_EQ(NextFocus(form, form.后缀名, true)->Name(), "按钮_浏览文件夹");
}

TEST(NextFocus, FromAControlOutsideTheOrderStartsAtAnEnd) {
  MainForm form;
  CountingModeWithFolder(form);
  // The folder field can hold the focus after a click although Tab never
  // lands on it; from there the walk goes on from its place in the table.
  EXPECT_EQ(NextFocus(form, form.编辑框_文件夹地址, false)->Name(), "按钮_批量重命名");
  EXPECT_EQ(NextFocus(form, form.编辑框_文件夹地址, true)->Name(), "按钮_浏览文件夹");
}

}  // namespace
