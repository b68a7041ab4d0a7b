// The rename command behind "重命名".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class MainForm;

// Renames every file of the folder in 编辑框_文件夹地址 by the rule fields,
// in up to five passes, then empties the rule fields and refills 列表框1.
void BatchRename(MainForm& form);

// The name after the replacement, prefix, suffix and "[编号]" rules, for the
// file at the 1-based position i.
std::string ApplyTextRules(const MainForm& form, std::string_view name, std::int32_t position);

// Empties the prefix, suffix, replacement, old-text and new-extension fields.
void ClearRuleFields(MainForm& form);
