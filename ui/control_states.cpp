#include "ui/control_states.h"

#include "ui/main_form.h"

namespace {

constexpr int kDeleteLeft = 1;
constexpr int kDeleteRight = 2;
constexpr int kNumbering = 3;
constexpr int kNoCondition = 0;

// Once a folder is given, the rename command and the condition stay
// available; an emptied folder field never takes them away again.
void ApplyFolderRule(MainForm& form) {
  if (form.编辑框_文件夹地址.Text().empty()) return;
  form.按钮_批量重命名.SetDisabled(false);
  form.tj.SetDisabled(false);
}

void ApplyDeletionRule(MainForm& form) {
  if (form.tj.SelectedIndex() != kDeleteLeft && form.tj.SelectedIndex() != kDeleteRight) return;
  form.删除字符.SetDisabled(false);
  form.分隔符.SetDisabled(true);
  form.递增字符.SetDisabled(true);
}

void ApplyNumberingRule(MainForm& form) {
  if (form.tj.SelectedIndex() != kNumbering) return;
  form.删除字符.SetDisabled(true);
  form.分隔符.SetDisabled(false);
  form.递增字符.SetDisabled(false);
}

void ApplyNoConditionRule(MainForm& form) {
  if (form.tj.SelectedIndex() != kNoCondition) return;
  form.删除字符.SetDisabled(true);
  form.递增字符.SetDisabled(true);
  form.分隔符.SetDisabled(true);
}

}  // namespace

void UpdateControlStates(MainForm& form) {
  ApplyFolderRule(form);
  ApplyDeletionRule(form);
  ApplyNumberingRule(form);
  ApplyNoConditionRule(form);
}
