#include "engine/batch_rename.h"

#include <string>
#include <vector>

#include "engine/text.h"
#include "folder/folder.h"
#include "ui/main_form.h"

namespace {

constexpr std::string_view kAllFiles = "*.*";
constexpr std::string_view kPositionMark = "[编号]";

enum Condition { kNoCondition = 0, kDeleteLeft = 1, kDeleteRight = 2, kNumbering = 3 };

std::int32_t CountIn(const Control& field) { return TruncateToInt(TextToNumber(field.Text())); }

std::string PathOf(const MainForm& form, std::string_view name) {
  std::string path = form.编辑框_文件夹地址.Text();
  path += '/';
  path += name;
  return path;
}

std::int32_t Incremented(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + 1u);
}

// Collects the folder's names afresh and renames each file to
// newNameOf(name, position). A name that would not change costs no system
// call: renaming a file to itself changes nothing anyway.
template <typename NewNameOf>
void CollectAndRename(MainForm& form, NewNameOf&& newNameOf) {
  std::vector<std::string> names;
  const int count = EnumerateFiles(form, form.编辑框_文件夹地址.Text(), kAllFiles, names);
  for (std::int32_t position = 1; position <= count; ++position) {
    const std::string& name = names[static_cast<std::size_t>(position - 1)];
    const std::string newName = newNameOf(name, position);
    if (newName == name) continue;
    RenameFile(PathOf(form, name), PathOf(form, newName));
  }
}

void DeleteLeftPass(MainForm& form) {
  if (form.tj.SelectedIndex() != kDeleteLeft || form.删除字符.Text().empty()) return;
  ClearRuleFields(form);
  CollectAndRename(form, [&form](const std::string& name, std::int32_t) {
    return DeleteLeftChars(name, CountIn(form.删除字符));
  });
}

void DeleteRightPass(MainForm& form) {
  if (form.tj.SelectedIndex() != kDeleteRight || form.删除字符.Text().empty()) return;
  ClearRuleFields(form);
  CollectAndRename(form, [&form](const std::string& name, std::int32_t) {
    return DeleteRightChars(NameWithoutExtension(name), CountIn(form.删除字符)) +
           ExtensionOf(name);
  });
}

void NumberingPass(MainForm& form) {
  if (form.tj.SelectedIndex() != kNumbering || form.递增字符.Text().empty()) return;
  ClearRuleFields(form);
  std::int32_t runningNumber = CountIn(form.递增字符);
  const std::string separator = form.分隔符.ItemText(form.分隔符.SelectedIndex());
  CollectAndRename(form, [&](const std::string& name, std::int32_t position) {
    std::string newName = IntToText(runningNumber) + separator + ApplyTextRules(form, name, position);
    runningNumber = Incremented(runningNumber);
    return newName;
  });
}

void TextRulesPass(MainForm& form) {
  if (form.编辑框_文件夹地址.Text().empty()) return;
  CollectAndRename(form, [&form](const std::string& name, std::int32_t position) {
    return ApplyTextRules(form, name, position);
  });
}

void NewExtensionPass(MainForm& form) {
  if (form.后缀名.Text().empty()) return;
  CollectAndRename(form, [&form](const std::string& name, std::int32_t position) {
    const std::string extension = ExtensionOf(name);
    const std::string newExtension = ReplaceAll(extension, extension, form.后缀名.Text());
    std::string stem = ReplaceAll(NameWithoutExtension(name), extension, newExtension);
    stem = ReplaceAll(stem, kPositionMark, IntToText(position));
    return stem + newExtension;
  });
}

void CloseRun(MainForm& form) {
  for (Control* field : {&form.编辑框_旧的文本, &form.编辑框_替换为, &form.编辑框_加前缀,
                         &form.编辑框_加后缀, &form.后缀名, &form.删除字符, &form.递增字符}) {
    field->SetText({});
  }
  form.列表框1.ClearItems();
  form.编辑框_旧的文本1.SetText({});
  ListFolder(form, form.编辑框_文件夹地址.Text());
}

}  // namespace

std::string ApplyTextRules(const MainForm& form, std::string_view name, std::int32_t position) {
  const std::string extension = ExtensionOf(name);
  const std::string newExtension =
      ReplaceAll(extension, extension, form.编辑框_加后缀.Text() + extension);
  const std::string replaced =
      ReplaceAll(name, form.编辑框_旧的文本.Text(), form.编辑框_替换为.Text());
  const std::string prefixed = form.编辑框_加前缀.Text() + replaced;
  const std::string suffixed = ReplaceAll(prefixed, extension, newExtension);
  return ReplaceAll(suffixed, kPositionMark, IntToText(position));
}

void ClearRuleFields(MainForm& form) {
  for (Control* field : {&form.编辑框_加前缀, &form.编辑框_加后缀, &form.编辑框_替换为,
                         &form.编辑框_旧的文本, &form.后缀名}) {
    field->SetText({});
  }
}

void BatchRename(MainForm& form) {
  DeleteLeftPass(form);
  DeleteRightPass(form);
  NumberingPass(form);
  TextRulesPass(form);
  NewExtensionPass(form);
  CloseRun(form);
}
