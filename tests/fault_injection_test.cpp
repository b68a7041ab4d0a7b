// Faults from outside the program while a batch runs: other programs racing
// for names, the folder going away, missing permissions, read-only and
// limited filesystems, awkward names, large folders and nested commands.
// Every case ends with the contents of all files exactly as they were.
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

Names NamesIn(const std::string& folder) {
  Names names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every content of the regular files directly in the folders, sorted.
Names ContentsIn(const std::vector<std::string>& folders) {
  Names contents;
  for (const std::string& folder : folders) {
    for (const std::string& name : NamesIn(folder)) {
      struct stat info {};
      const std::string path = folder + "/" + name;
      if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) contents.push_back(ReadWholeFile(path));
    }
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

Names Numbered(const std::string& prefix, int count, const std::string& suffix) {
  Names names;
  for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i) + suffix);
  return names;
}

// "a 255-byte name" -> "A255ByteName": a test name from a sentence.
std::string Identifier(const std::string& sentence) {
  std::string identifier;
  bool upper = true;
  for (const char c : sentence) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (alnum) identifier += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    upper = !alnum;
  }
  return identifier;
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

// ---- names that tools tend to trip over ----

struct NameCase {
  const char* why;
  Names before;
  Rules rules;
  Names after;
};

const std::string k255 = std::string(251, 'n') + ".txt";
const std::string k255Chinese = [] {
  std::string name;
  for (int i = 0; i < 85; ++i) name += "名";
  return name;
}();

class AwkwardNames : public FaultCase, public testing::WithParamInterface<NameCase> {};

TEST_P(AwkwardNames, AreRenamedOrKeptWhole) {
  const NameCase& c = GetParam();
  AddFiles(c.before);
  const Names contents = folder.ContentMultiset();
  Fill(form, c.rules);

  BatchRename(form);

  EXPECT_EQ(folder.Names(), Sorted(c.after));
  EXPECT_EQ(folder.ContentMultiset(), contents);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AwkwardNames,
    testing::Values(
        NameCase{"a 255-byte name that a prefix pushes past the limit keeps it", {k255},
                 {.prefix = "x"}, {k255}},
        NameCase{"a 255-byte name loses one character from the left", {k255},
                 {.condition = 1, .count = "1"}, {k255.substr(1)}},
        NameCase{"a 255-byte name of three-byte characters loses a whole one", {k255Chinese},
                 {.condition = 2, .count = "1"}, {k255Chinese.substr(0, 252)}},
        NameCase{"a newline inside a name is a character like any other", {"a\nb.txt"},
                 {.prefix = "x"}, {"xa\nb.txt"}},
        NameCase{"a newline at the end belongs to the extension", {"c.txt\n"},
                 {.newExtension = ".md"}, {"c.md"}},
        NameCase{"names that look like options", {"-rf.txt", "--help"},
                 {.condition = 3, .count = "1"}, {"1_--help", "2_-rf.txt"}},
        NameCase{"a name of spaces only gets its prefix", {"   "}, {.prefix = "x"}, {"x   "}},
        NameCase{"a name of spaces only deleted to nothing keeps its name", {"   "},
                 {.condition = 1, .count = "3"}, {"   "}},
        NameCase{"a GBK name through prefix and new extension", {"\xd5\xd5\xc6\xac.jpg"},
                 {.prefix = "x", .newExtension = ".png"}, {"x\xd5\xd5\xc6\xac.png"}},
        NameCase{"a stray byte is deleted as one character", {"\xff\xfe" "ab.txt"},
                 {.condition = 1, .count = "1"}, {"\xfe" "ab.txt"}},
        NameCase{"a truncated sequence loses one byte at a time", {"ab\xe5\x90.txt"},
                 {.condition = 2, .count = "1"}, {"ab\xe5.txt"}},
        NameCase{"backslash and colon are plain characters", {"a\\b:c.txt"}, {.prefix = "x"},
                 {"xa\\b:c.txt"}}),
    [](const testing::TestParamInfo<NameCase>& param) { return Identifier(param.param.why); });

// ---- many files ----

TEST(ManyFiles, AHundredThousandFilesAllTakeTheRuleAndKeepTheirContents) {
  const char* previous = std::getenv("TMPDIR");
  const std::string kept = previous != nullptr ? previous : "";
  struct stat info {};
  if (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode)) setenv("TMPDIR", "/dev/shm", 1);
  TempFolder folder;
  previous != nullptr ? setenv("TMPDIR", kept.c_str(), 1) : unsetenv("TMPDIR");
  const Names names = Numbered("IMG_", 100000, ".jpg");
  for (const std::string& name : names) folder.AddFile(name);
  const Names contents = folder.ContentMultiset();
  MainForm form;
  form.编辑框_文件夹地址.SetText(folder.Path());
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);

  EXPECT_EQ(folder.Names(), Sorted(Numbered("xIMG_", 100000, ".jpg")));
  EXPECT_EQ(folder.ContentMultiset(), contents);
  EXPECT_EQ(form.列表框1.ItemCount(), 100000);
}

// ---- another program takes the new names ----

TEST_F(FaultCase, TargetsCreatedByAnotherProcessAfterListingAreNotReplaced) {
  AddFiles(Numbered("f", 200, ".txt"));
  form.编辑框_加前缀.SetText("x");
  AtTurn(1, [this] {
    const pid_t child = fork();
    if (child == 0) {
      for (int i = 1; i <= 200; i += 2) {
        const std::string name = "xf" + std::to_string(i) + ".txt";
        const int fd = open(folder.PathOf(name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0 || write(fd, "other", 5) != 5) _exit(1);
        close(fd);
      }
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
  });

  BatchRename(form);

  for (int i = 1; i <= 200; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    SCOPED_TRACE(name);
    if (i % 2 == 1) {
      EXPECT_EQ(ReadWholeFile(folder.PathOf(name)), name);
      EXPECT_EQ(ReadWholeFile(folder.PathOf("x" + name)), "other");
    } else {
      EXPECT_EQ(ReadWholeFile(folder.PathOf("x" + name)), name);
    }
  }
  EXPECT_EQ(folder.Names().size(), 300u);
}

// ---- filesystems of several kinds ----

int InjectedNoReplace(const char*, const char*) {
  errno = EINVAL;
  return -1;
}
int InjectedNoLinks(const char*, const char*) {
  errno = EPERM;
  return -1;
}

struct FilesystemCase {
  const char* name;
  const char* kind;
  Abilities abilities;  // what the real filesystem under it answers
  std::optional<FileCalls> injected;
};

std::vector<FilesystemCase> Filesystems() {
  FileCalls noReplace = SystemFileCalls();
  noReplace.renameNoReplace = InjectedNoReplace;
  FileCalls neither = noReplace;
  neither.link = InjectedNoLinks;
  return {{"Disk", "disk", {true, true}, {}},
          {"Tmpfs", "tmpfs", {true, true}, {}},
          {"BindfsWithoutRenameNoReplace", "bindfs", {false, true}, {}},
          {"ExfatWithoutRenameNoReplaceOrHardLinks", "exfat", {false, false}, {}},
          {"InjectedWithoutRenameNoReplace", "disk", {true, true}, noReplace},
          {"InjectedWithoutRenameNoReplaceOrHardLinks", "disk", {true, true}, neither}};
}

class OnFilesystem : public testing::TestWithParam<FilesystemCase> {
 protected:
  TempFolder scratch;
  Place place;
  MainForm form;

  void SetUp() override {
    const FilesystemCase& c = GetParam();
    place = MakePlace(c.kind, scratch.Path());
    if (!place.skip.empty()) GTEST_SKIP() << c.name << " cannot be had here: " << place.skip;
    const Abilities found = Probe(place.folder);
    if (!(found == c.abilities)) {
      GTEST_SKIP() << c.name << " answers otherwise here (RENAME_NOREPLACE " << found.renameNoReplace
                   << ", hard links " << found.hardLinks << "): its fallback is not reached";
    }
    if (c.injected) fileCalls = *c.injected;
    form.编辑框_文件夹地址.SetText(place.folder);
  }
  void TearDown() override { fileCalls = SystemFileCalls(); }
  std::string PathOf(const std::string& name) const { return place.folder + "/" + name; }
};

struct BatchCase {
  const char* why;
  Names before;
  Rules rules;
  Names after;
};

TEST_P(OnFilesystem, BatchesRenameWithoutEverReplacing) {
  const BatchCase cases[] = {
      {"numbering", {"a.jpg", "b.jpg"}, {.condition = 3, .count = "1"}, {"1_a.jpg", "2_b.jpg"}},
      {"prefix, then new extension", {"a.jpg", "b.jpg"}, {.prefix = "x", .newExtension = ".png"},
       {"xa.png", "xb.png"}},
      {"a new name that a later file holds", {"a.jpg", "b.jpg"}, {.oldText = "a", .replacement = "b"},
       {"a.jpg", "b.jpg"}},
      {"two files asking for one name", {"a.jpg", "b.jpg"}, {.condition = 2, .count = "9"},
       {".jpg", "b.jpg"}},
  };
  for (const BatchCase& c : cases) {
    SCOPED_TRACE(c.why);
    for (const std::string& name : NamesIn(place.folder)) unlink(PathOf(name).c_str());
    for (const std::string& name : c.before) WriteFile(PathOf(name), "content of " + name);
    const Names contents = ContentsIn({place.folder});
    Fill(form, c.rules);

    BatchRename(form);

    EXPECT_EQ(NamesIn(place.folder), Sorted(c.after));
    EXPECT_EQ(ContentsIn({place.folder}), contents);
  }
}

// A thread creates the new names while the batch renames, from the other
// end of the list, so that the two meet somewhere in the middle.
TEST_P(OnFilesystem, ARaceForEveryNewNameLosesNoFile) {
  constexpr int kFiles = 2000;
  const Names names = Numbered("f", kFiles, ".txt");
  for (const std::string& name : names) WriteFile(PathOf(name), name);
  form.编辑框_加前缀.SetText("x");
  std::vector<std::string> created;
  std::thread racer;
  std::atomic<bool> started = false;
  form.SetEventPump([&] {
    if (started.exchange(true)) return;
    racer = std::thread([&] {
      for (auto name = names.rbegin(); name != names.rend(); ++name) {
        const int fd = open(PathOf("x" + *name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0) continue;
        const std::string content = "racer's " + *name;
        if (write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size())) {
          created.push_back(content);
        }
        close(fd);
      }
    });
  });

  BatchRename(form);
  racer.join();

  Names expected = names;
  expected.insert(expected.end(), created.begin(), created.end());
  EXPECT_EQ(ContentsIn({place.folder}), Sorted(expected));
  std::printf("%s: the racer took %zu of %d names first\n", GetParam().name, created.size(), kFiles);
}

// The other program strikes exactly between the last fallback's look at
// the new name and its rename.
std::vector<std::string> createdJustBefore;
int CreateThenRename(const char* from, const char* to) {
  const int fd = open(to, O_CREAT | O_EXCL | O_WRONLY, 0644);
  if (fd >= 0) {
    const std::string content = std::string("made just before by ") + to;
    if (write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size())) {
      createdJustBefore.push_back(content);
    }
    close(fd);
  }
  return rename(from, to);
}

TEST_F(FaultCase, RegressionTheLastFallbackNeverReplacesANameTakenJustBeforeItsRename) {
  FileCalls calls = SystemFileCalls();
  calls.renameNoReplace = InjectedNoReplace;
  calls.link = InjectedNoLinks;
  calls.rename = CreateThenRename;
  fileCalls = calls;
  createdJustBefore.clear();
  AddFiles({"a.jpg", "b.jpg"});
  Names expected = folder.ContentMultiset();
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);
  fileCalls = SystemFileCalls();

  expected.insert(expected.end(), createdJustBefore.begin(), createdJustBefore.end());
  EXPECT_EQ(folder.ContentMultiset(), Sorted(expected));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OnFilesystem, testing::ValuesIn(Filesystems()),
                         [](const testing::TestParamInfo<FilesystemCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
