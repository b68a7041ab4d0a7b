// What every fault case shares: the rule fields it fills, a folder of files
// with distinct contents, and a hook into the window system's turns.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "engine/batch_rename.h"
#include "engine/text.h"
#include "folder/file_calls.h"
#include "tests/fault_injection_support.h"
#include "tests/support/temp_folder.h"
#include "ui/main_form.h"

namespace {

using Names = std::vector<std::string>;

struct Rules {
  int condition = 0;
  std::string count;  // 删除字符, or 递增字符 for the numbering
  std::string oldText;
  std::string replacement;
  std::string prefix;
  std::string newExtension;
};

constexpr int kUnderscore = 2;  // the item "_" of 分隔符

void Fill(MainForm& form, const Rules& rules) {
  form.tj.SetSelectedIndex(rules.condition);
  (rules.condition == 3 ? form.递增字符 : form.删除字符).SetText(rules.count);
  form.分隔符.SetSelectedIndex(kUnderscore);
  form.编辑框_旧的文本.SetText(rules.oldText);
  form.编辑框_替换为.SetText(rules.replacement);
  form.编辑框_加前缀.SetText(rules.prefix);
  form.后缀名.SetText(rules.newExtension);
}

void WriteFile(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
  ASSERT_GE(fd, 0) << path;
  ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
  close(fd);
}

class FaultCase : public testing::Test {
 protected:
  TempFolder folder;
  MainForm form;

  void SetUp() override {
    NameCodePage = kUtf8CodePage;
    form.编辑框_文件夹地址.SetText(folder.Path());
  }
  void AddFiles(const Names& names) {
    for (const std::string& name : names) folder.AddFile(name);
  }
  // Runs `action` once, at the window system's turn-th turn (1-based);
  // a command nested in the action takes its turns from the same count.
  void AtTurn(int turn, std::function<void()> action) {
    auto turns = std::make_shared<int>(0);
    form.SetEventPump([turns, turn, action] {
      if (++*turns == turn) action();
    });
  }
};


}  // namespace
