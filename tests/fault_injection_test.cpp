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

// ---- names that tools tend to trip over ----

struct NameCase {
  const char* why;
  Names before;
  Rules rules;
  Names after;
};
void PrintTo(const NameCase& c, std::ostream* out) { *out << c.why; }

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

// ---- the folder goes away ----

// Three files, a prefix and a new extension: turns 1 to 3 come while pass 4
// collects, 4 to 6 while pass 5 does, 7 before the closing refill.
struct VanishCase {
  const char* why;
  int turn;
  std::function<void(const std::string& folder, const std::string& elsewhere)> act;
  Names namesInFolder;
  Names namesElsewhere;
  Names addedContents;  // what the act itself wrote
};
void PrintTo(const VanishCase& c, std::ostream* out) { *out << c.why; }

void MoveAll(const std::string& from, const std::string& to) {
  ASSERT_EQ(mkdir(to.c_str(), 0755), 0);
  for (const std::string& name : NamesIn(from)) {
    ASSERT_EQ(rename((from + "/" + name).c_str(), (to + "/" + name).c_str()), 0);
  }
}

class FolderGoesAway : public FaultCase, public testing::WithParamInterface<VanishCase> {};

TEST_P(FolderGoesAway, MidRunLosesNoFile) {
  const VanishCase& c = GetParam();
  TempFolder elsewhere;
  AddFiles({"a.jpg", "b.jpg", "c.jpg"});
  Names expected = folder.ContentMultiset();
  expected.insert(expected.end(), c.addedContents.begin(), c.addedContents.end());
  Fill(form, {.prefix = "x", .newExtension = ".png"});
  AtTurn(c.turn, [&] { c.act(folder.Path(), elsewhere.PathOf("moved")); });

  BatchRename(form);

  EXPECT_EQ(NamesIn(folder.Path()), c.namesInFolder);
  EXPECT_EQ(NamesIn(elsewhere.PathOf("moved")), c.namesElsewhere);
  EXPECT_EQ(form.列表框1.Items(), c.namesInFolder);
  EXPECT_EQ(ContentsIn({folder.Path(), elsewhere.PathOf("moved")}), Sorted(expected));
}

const auto kRenameAway = [](const std::string& folder, const std::string& moved) {
  ASSERT_EQ(rename(folder.c_str(), moved.c_str()), 0);
};

INSTANTIATE_TEST_SUITE_P(
    Vanishing, FolderGoesAway,
    testing::Values(
        VanishCase{"renamed away while the first pass collects", 1, kRenameAway, {},
                   {"a.jpg", "b.jpg", "c.jpg"}},
        VanishCase{"renamed away between the passes", 4, kRenameAway, {},
                   {"xa.jpg", "xb.jpg", "xc.jpg"}},
        VanishCase{"deleted, its files saved elsewhere first", 2,
                   [](const std::string& folder, const std::string& moved) {
                     MoveAll(folder, moved);
                     ASSERT_EQ(rmdir(folder.c_str()), 0);
                   },
                   {}, {"a.jpg", "b.jpg", "c.jpg"}},
        VanishCase{"deleted and made anew, empty", 2,
                   [](const std::string& folder, const std::string& moved) {
                     MoveAll(folder, moved);
                     ASSERT_EQ(rmdir(folder.c_str()), 0);
                     ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
                   },
                   {}, {"a.jpg", "b.jpg", "c.jpg"}},
        VanishCase{"replaced by another folder holding the same names", 1,
                   [](const std::string& folder, const std::string& moved) {
                     ASSERT_EQ(rename(folder.c_str(), moved.c_str()), 0);
                     ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
                     for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
                       WriteFile(folder + "/" + name, std::string("stand-in ") + name);
                     }
                   },
                   {"xa.png", "xb.png", "xc.png"}, {"a.jpg", "b.jpg", "c.jpg"},
                   {"stand-in a.jpg", "stand-in b.jpg", "stand-in c.jpg"}},
        VanishCase{"replaced by a file", 1,
                   [](const std::string& folder, const std::string& moved) {
                     ASSERT_EQ(rename(folder.c_str(), moved.c_str()), 0);
                     WriteFile(folder, "a file where the folder was");
                   },
                   {}, {"a.jpg", "b.jpg", "c.jpg"}}),
    [](const testing::TestParamInfo<VanishCase>& param) { return Identifier(param.param.why); });

// ---- permissions ----

// The batch runs as nobody; a.jpg and b.jpg belong to root unless the
// preparation gives them away.
struct PermissionCase {
  const char* why;
  std::function<void(const std::string& folder)> prepare;
  Rules rules;
  Names after;
};
void PrintTo(const PermissionCase& c, std::ostream* out) { *out << c.why; }

void GiveToNobody(const std::string& path) { ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0); }

void GiveAllToNobody(const std::string& folder) {
  GiveToNobody(folder);
  for (const std::string& name : NamesIn(folder)) GiveToNobody(folder + "/" + name);
}

class WithoutPermission : public FaultCase, public testing::WithParamInterface<PermissionCase> {};

TEST_P(WithoutPermission, RefusedRenamesLeaveFilesWhole) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user and become nobody";
  const PermissionCase& c = GetParam();
  AddFiles({"a.jpg", "b.jpg"});
  ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
  c.prepare(folder.Path());
  const Names contents = folder.ContentMultiset();
  Fill(form, c.rules);

  const int status = RunUnprivileged([this] {
    if (access(folder.Path().c_str(), R_OK | X_OK) != 0) _exit(kCannotDropPrivileges);
    BatchRename(form);
  });

  if (status == kCannotDropPrivileges) GTEST_SKIP() << "nobody cannot become or reach the folder";
  ASSERT_EQ(status, 0);
  EXPECT_EQ(folder.Names(), Sorted(c.after));
  EXPECT_EQ(folder.ContentMultiset(), contents);
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, WithoutPermission,
    testing::Values(
        PermissionCase{"a folder without write permission",
                       [](const std::string& folder) {
                         GiveAllToNobody(folder);
                         ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
                       },
                       {.prefix = "x"}, {"a.jpg", "b.jpg"}},
        PermissionCase{"files without write permission are still renamed",
                       [](const std::string& folder) {
                         GiveAllToNobody(folder);
                         for (const char* name : {"/a.jpg", "/b.jpg"}) {
                           ASSERT_EQ(chmod((folder + name).c_str(), 0444), 0);
                         }
                       },
                       {.condition = 3, .count = "1"}, {"1_a.jpg", "2_b.jpg"}},
        PermissionCase{"a sticky folder renames only the files of their owner",
                       [](const std::string& folder) {
                         GiveToNobody(folder + "/b.jpg");
                         ASSERT_EQ(chmod(folder.c_str(), 01777), 0);
                       },
                       {.prefix = "x"}, {"a.jpg", "xb.jpg"}},
        PermissionCase{"a sub-folder without write permission as destination",
                       [](const std::string& folder) {
                         GiveAllToNobody(folder);
                         const std::string sub = folder + "/sub";
                         ASSERT_EQ(mkdir(sub.c_str(), 0555), 0);
                         GiveToNobody(sub);
                       },
                       {.oldText = "a", .replacement = "sub/a"}, {"a.jpg", "b.jpg", "sub"}}),
    [](const testing::TestParamInfo<PermissionCase>& param) { return Identifier(param.param.why); });

// ---- a read-only filesystem ----

TEST_F(FaultCase, AReadOnlyFilesystemKeepsEveryName) {
  if (const std::string why = EnterPrivateMounts(); !why.empty()) GTEST_SKIP() << why;
  const std::string readOnly = folder.PathOf("ro");
  ASSERT_EQ(mkdir(readOnly.c_str(), 0755), 0);
  const ScopedMount mount(readOnly, "mount -t tmpfs -o size=1m tmpfs '" + readOnly + "'");
  if (!mount.Mounted()) GTEST_SKIP() << "mounting a tmpfs is not allowed here";
  for (const char* name : {"a.jpg", "b.jpg"}) WriteFile(readOnly + "/" + name, name);
  ASSERT_EQ(::mount("none", readOnly.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const Names contents = ContentsIn({readOnly});
  form.编辑框_文件夹地址.SetText(readOnly);

  for (const Rules& rules : {Rules{.condition = 3, .count = "1"}, Rules{.prefix = "x", .newExtension = ".png"}}) {
    Fill(form, rules);
    BatchRename(form);
    EXPECT_EQ(NamesIn(readOnly), (Names{"a.jpg", "b.jpg"}));
    EXPECT_EQ(ContentsIn({readOnly}), contents);
    EXPECT_EQ(form.列表框1.Items(), (Names{"a.jpg", "b.jpg"}));
  }
}

// ---- the rename button pressed again while a batch runs ----

struct NestedCase {
  const char* why;
  Rules outer;
  std::vector<int> pressAt;     // the turns at which the button is pressed
  std::optional<Rules> typed;   // typed just before the first press
  Names after;
};
void PrintTo(const NestedCase& c, std::ostream* out) { *out << c.why; }

class NestedBatches : public FaultCase, public testing::WithParamInterface<NestedCase> {};

TEST_P(NestedBatches, RenameEachFileOnceAndLoseNone) {
  const NestedCase& c = GetParam();
  AddFiles({"a.jpg", "b.jpg"});
  const Names contents = folder.ContentMultiset();
  Fill(form, c.outer);
  form.按钮_批量重命名.Bind(Event::Clicked, [this] { BatchRename(form); });
  auto turns = std::make_shared<int>(0);
  form.SetEventPump([this, turns, &c] {
    const int turn = ++*turns;
    if (std::find(c.pressAt.begin(), c.pressAt.end(), turn) == c.pressAt.end()) return;
    if (c.typed && turn == c.pressAt.front()) Fill(form, *c.typed);
    form.按钮_批量重命名.Raise(Event::Clicked);
  });

  BatchRename(form);

  EXPECT_EQ(folder.Names(), Sorted(c.after));
  EXPECT_EQ(form.列表框1.Items(), Sorted(c.after));
  EXPECT_EQ(folder.ContentMultiset(), contents);
}

// With two files, turns 1 and 2 come while the first pass that runs
// collects, 3 and 4 while the next one does.
INSTANTIATE_TEST_SUITE_P(
    Nesting, NestedBatches,
    testing::Values(
        NestedCase{"the same prefix pressed again while names are collected", {.prefix = "x"}, {1}, {},
                   {"xa.jpg", "xb.jpg"}},
        NestedCase{"numbering pressed again", {.condition = 3, .count = "1"}, {1}, {},
                   {"1_a.jpg", "2_b.jpg"}},
        NestedCase{"pressed while the new extension pass collects", {.prefix = "x", .newExtension = ".png"},
                   {3}, {}, {"xxa.png", "xxb.png"}},
        NestedCase{"other rules typed and pressed", {.prefix = "x"}, {1}, Rules{.prefix = "y"},
                   {"ya.jpg", "yb.jpg"}},
        NestedCase{"pressed inside the nested run too", {.prefix = "x"}, {1, 2}, {}, {"xa.jpg", "xb.jpg"}},
        NestedCase{"pressed while the list is refilled", {.prefix = "x"}, {3}, {}, {"xa.jpg", "xb.jpg"}}),
    [](const testing::TestParamInfo<NestedCase>& param) { return Identifier(param.param.why); });

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
void PrintTo(const FilesystemCase& c, std::ostream* out) { *out << c.name; }

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
