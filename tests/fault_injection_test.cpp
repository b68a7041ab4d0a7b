// Faults from outside the program while a batch runs: other programs racing
// for names, the folder going away, awkward names, large folders and nested
// commands. Every case ends with the contents of all files exactly as they were.
#include "tests/fault_case.h"

namespace {

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

}  // namespace
