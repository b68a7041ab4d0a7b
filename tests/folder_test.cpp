#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "folder/file_calls.h"
#include "folder/folder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unsupported_file_calls.h"
#include "ui/main_form.h"

namespace {

using Names = std::vector<std::string>;

bool IsSymlink(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}


class FolderTest : public ::testing::Test {
 protected:
  Names Enumerate(const std::string& folder, const std::string& patterns = "*.*") {
    Names names = {"left over"};
    const int count = EnumerateFiles(form, folder, patterns, names);
    EXPECT_EQ(count, static_cast<int>(names.size()));
    return names;
  }
  Names Listed(const std::string& folder) {
    ListFolder(form, folder);
    return form.列表框1.Items();
  }

  TempFolder temp;
  MainForm form;
};

struct ListingCase {
  const char* why;
  std::function<void(TempFolder&)> fill;
  std::function<std::string(const TempFolder&)> folderText;
  Names expected;
};

std::string PathText(const TempFolder& t) { return t.Path(); }

TEST_F(FolderTest, ListsTheFilesOfAFolderInNaturalOrder) {
  const std::vector<ListingCase> cases = {
      {"files but no sub-folder, never '.' or '..'",
       [](TempFolder& t) {
         t.AddFile("b.txt");
         t.AddFile("a.txt");
         t.AddFolder("sub");
       },
       PathText, {"a.txt", "b.txt"}},
      {"hidden files and names without a dot",
       [](TempFolder& t) {
         t.AddFile(".directory");
         t.AddFile("Thumbs.db");
         t.AddFile("README");
       },
       PathText, {".directory", "README", "Thumbs.db"}},
      {"folder text ending in '/' gets no second one",
       [](TempFolder& t) { t.AddFile("a.txt"); },
       [](const TempFolder& t) { return t.Path() + "/"; }, {"a.txt"}},
      {"natural order, not directory order",
       [](TempFolder& t) {
         for (const char* name : {"10.jpg", "b.jpg", "2.jpg", "A.jpg", "1.jpg"}) t.AddFile(name);
       },
       PathText, {"1.jpg", "2.jpg", "10.jpg", "A.jpg", "b.jpg"}},
      {"links to files and dangling links are files, links to folders are not",
       [](TempFolder& t) {
         t.AddFile("target.txt");
         t.AddFolder("sub");
         t.AddSymlink("to-file", "target.txt");
         t.AddSymlink("to-sub", "sub");
         t.AddSymlink("dangling", "nowhere");
       },
       PathText, {"dangling", "target.txt", "to-file"}},
      {"a name that is not UTF-8 keeps its bytes",
       [](TempFolder& t) { t.AddFile("\xd5\xd5.jpg"); }, PathText, {"\xd5\xd5.jpg"}},
      {"a folder holding only a sub-folder", [](TempFolder& t) { t.AddFolder("sub"); }, PathText,
       {}},
      {"a missing folder", [](TempFolder&) {},
       [](const TempFolder& t) { return t.PathOf("missing"); }, {}},
      {"a file given as the folder",
       [](TempFolder& t) { t.AddFile("a.txt"); },
       [](const TempFolder& t) { return t.PathOf("a.txt"); }, {}},
  };
  for (const ListingCase& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    c.fill(folder);
    const std::string text = c.folderText(folder);
    EXPECT_EQ(Enumerate(text), c.expected);
    EXPECT_EQ(Listed(text), c.expected);
  }
}

TEST_F(FolderTest, TheEmptyFolderTextListsNeitherTheCurrentFolderNorTheRoot) {
  temp.AddFile("a.txt");
  const std::string previous = std::filesystem::current_path();
  ASSERT_EQ(chdir(temp.Path().c_str()), 0);
  const Names enumerated = Enumerate("");
  const Names listed = Listed("");
  FindHandle handle;
  const std::string found = FindEntry("*.*", handle);
  ASSERT_EQ(chdir(previous.c_str()), 0);
  EXPECT_EQ(SearchFolder(""), "");
  EXPECT_EQ(enumerated, Names{});
  EXPECT_EQ(listed, Names{});
  EXPECT_EQ(found, "");
}

TEST_F(FolderTest, AnUnreadableFolderListsNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder whatever its permissions";
  temp.AddFolder("closed");
  const std::string closed = temp.PathOf("closed");
  temp.AddFile("closed/a.txt");
  ASSERT_EQ(chmod(closed.c_str(), 0), 0);
  EXPECT_EQ(Enumerate(closed), Names{});
  EXPECT_EQ(Listed(closed), Names{});
}

TEST_F(FolderTest, PatternListsAreCutAtBarsAndNeverMerged) {
  for (const char* name : {"b.jpg", "a.txt", "c", "é.txt", "ab.txt"}) temp.AddFile(name);
  struct PatternCase {
    const char* patterns;
    Names expected;
  };
  const std::vector<PatternCase> cases = {
      {"*.*", {"a.txt", "ab.txt", "b.jpg", "c", "é.txt"}},
      {"*.*|*.*",
       {"a.txt", "ab.txt", "b.jpg", "c", "é.txt", "a.txt", "ab.txt", "b.jpg", "c", "é.txt"}},
      {"", {}},
      {"*.txt|*.jpg", {"a.txt", "ab.txt", "é.txt", "b.jpg"}},
      {"?.txt", {"a.txt", "é.txt"}},  // "?" is one character, also a multibyte one
      {"a*", {"a.txt", "ab.txt"}},
      {"*", {"a.txt", "ab.txt", "b.jpg", "c", "é.txt"}},
      {"c.*", {"c"}},
  };
  for (const PatternCase& c : cases) {
    EXPECT_EQ(Enumerate(temp.Path(), c.patterns), c.expected) << "patterns \"" << c.patterns << '"';
  }
}

TEST_F(FolderTest, EnumerateGivesTheWindowSystemATurnAfterEveryName) {
  for (int number = 1; number <= 40; ++number) temp.AddFile(std::to_string(number) + ".txt");
  Names names;
  std::vector<std::size_t> sizesSeen;
  form.SetEventPump([&] { sizesSeen.push_back(names.size()); });
  EXPECT_EQ(EnumerateFiles(form, temp.Path(), "*.*", names), 40);
  std::vector<std::size_t> expected(40);
  for (std::size_t at = 0; at < expected.size(); ++at) expected[at] = at + 1;
  EXPECT_EQ(sizesSeen, expected);
}

TEST_F(FolderTest, ANestedCommandDuringEnumerationLeavesTheInterruptedSearchAlone) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) temp.AddFile(name);
  form.编辑框_文件夹地址.SetText(temp.Path());
  Names nested;
  bool ran = false;
  form.SetEventPump([&] {
    if (std::exchange(ran, true)) return;
    // A nested rename command: lists on its own and renames every file.
    EnumerateFiles(form, temp.Path(), "*.*", nested);
    for (const std::string& name : nested) RenameFile(temp.PathOf(name), temp.PathOf("x" + name));
    form.编辑框_文件夹地址.SetText("/somewhere/else/entirely/and/long/enough/to/allocate");
  });
  Names names;
  EnumerateFiles(form, form.编辑框_文件夹地址.Text(), "*.*", names);
  EXPECT_EQ(names, (Names{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(nested, (Names{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(temp.Names(), (Names{"xa.txt", "xb.txt", "xc.txt"}));
}

class CountingView : public ControlView {
 public:
  void Changed(Control&, Property property) override { changes.push_back(property); }
  std::vector<Property> changes;
};

TEST_F(FolderTest, ListFolderEmptiesTheListTurnsOnceThenFillsItInOneReset) {
  for (const char* name : {"10.txt", "9.txt", "b.txt"}) temp.AddFile(name);
  form.列表框1.SetItems({"old 1", "old 2"});
  form.列表框1.SetSelectedIndex(1);
  form.编辑框_文件夹地址.SetText(temp.Path());
  CountingView view;
  form.列表框1.AttachView(&view);
  std::vector<int> countsSeen;
  form.SetEventPump([&] {
    countsSeen.push_back(form.列表框1.ItemCount());
    // A handler rewrites the folder field while the list is being filled.
    form.编辑框_文件夹地址.SetText("/somewhere/else/entirely/and/long/enough/to/allocate");
  });
  ListFolder(form, form.编辑框_文件夹地址.Text());
  form.列表框1.AttachView(nullptr);
  EXPECT_EQ(countsSeen, std::vector<int>{0});
  EXPECT_EQ(form.列表框1.Items(), (Names{"9.txt", "10.txt", "b.txt"}));
  EXPECT_EQ(form.列表框1.SelectedIndex(), -1);
  // One reset to empty, one to the names: no insert per name.
  EXPECT_EQ(view.changes, (std::vector<Property>{Property::ItemsReset, Property::ItemsReset}));
}

TEST_F(FolderTest, ASearchHandsOutItsNamesOnceAndThenCloses) {
  temp.AddFile("1.txt");
  temp.AddFile("2.txt");
  FindHandle handle;
  EXPECT_EQ(FindEntry({}, handle), "") << "no search open yet";
  EXPECT_EQ(FindEntry(temp.Path() + "/*.*", handle), "1.txt");
  EXPECT_EQ(FindEntry(temp.Path() + "/*.*", handle), "1.txt") << "a new search starts afresh";
  EXPECT_EQ(FindEntry({}, handle), "2.txt");
  EXPECT_TRUE(handle.open);
  EXPECT_EQ(FindEntry({}, handle), "");
  EXPECT_FALSE(handle.open);
  EXPECT_EQ(FindEntry({}, handle), "");
  EndFind(handle);
  EndFind(handle);
  EXPECT_EQ(FindEntry(temp.Path() + "/*.none", handle), "");
  EXPECT_FALSE(handle.open);
}

// ---- renaming ----

int failUnlinks = 0;
int UnlinkFailingAtFirst(const char* path) {
  if (failUnlinks > 0) {
    --failUnlinks;
    errno = EACCES;
    return -1;
  }
  return unlink(path);
}

struct Filesystem {
  const char* name;
  FileCalls calls;
};

std::vector<Filesystem> Filesystems() {
  FileCalls syscallMissing = SystemFileCalls();
  syscallMissing.renameNoReplace = Renameat2Missing;
  return {{"renameat2 with RENAME_NOREPLACE", SystemFileCalls()},
          {"no RENAME_NOREPLACE: link and unlink", WithoutRenameNoReplace()},
          {"no renameat2 at all: link and unlink", syscallMissing},
          {"neither RENAME_NOREPLACE nor hard links: look, then rename",
           WithoutRenameNoReplaceOrHardLinks()}};
}

class UseFileCalls {
 public:
  explicit UseFileCalls(const FileCalls& calls) { fileCalls = calls; }
  ~UseFileCalls() { fileCalls = SystemFileCalls(); }
  UseFileCalls(const UseFileCalls&) = delete;
  UseFileCalls& operator=(const UseFileCalls&) = delete;
};

struct RenameCase {
  const char* why;
  std::function<void(TempFolder&)> fill;
  std::string from;
  std::string to;
  bool renamed;
  Names namesAfter;
  std::map<std::string, std::string> contentsAfter;  // also of "sub/..." files
};

TEST(RenameFile, RenamesWithoutEverReplacingOnEveryKindOfFilesystem) {
  const auto fileAndSub = [](TempFolder& t) {
    t.AddFile("a");
    t.AddFile("b");
    t.AddFolder("sub");
  };
  const std::vector<RenameCase> cases = {
      {"a plain rename", fileAndSub, "a", "c", true, {"b", "c", "sub"}, {{"b", "b"}, {"c", "a"}}},
      {"onto an existing file both stay", fileAndSub, "a", "b", false, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"onto an existing folder", fileAndSub, "a", "sub", false, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"onto a dangling link, which is an existing name",
       [](TempFolder& t) {
         t.AddFile("a");
         t.AddSymlink("link", "nowhere");
       },
       "a", "link", false, {"a", "link"}, {{"a", "a"}}},
      {"from a missing path", fileAndSub, "missing", "c", false, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"the same path leaves the file as it is", fileAndSub, "a", "a", true, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"the same missing path", fileAndSub, "missing", "missing", false, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"into an existing sub-folder", fileAndSub, "a", "sub/x", true, {"b", "sub"},
       {{"b", "b"}, {"sub/x", "a"}}},
      {"into a missing sub-folder", fileAndSub, "a", "none/x", false, {"a", "b", "sub"},
       {{"a", "a"}, {"b", "b"}}},
      {"onto an existing file in a sub-folder",
       [](TempFolder& t) {
         t.AddFolder("sub");
         t.AddFile("a");
         t.AddFile("sub/x", "x");
       },
       "a", "sub/x", false, {"a", "sub"}, {{"a", "a"}, {"sub/x", "x"}}},
      {"a name that is not UTF-8 keeps its bytes",
       [](TempFolder& t) { t.AddFile("\xd5\xd5.jpg"); }, "\xd5\xd5.jpg", "1_\xd5\xd5.jpg", true,
       {"1_\xd5\xd5.jpg"}, {{"1_\xd5\xd5.jpg", "\xd5\xd5.jpg"}}},
      {"a name longer than the filesystem takes", [](TempFolder& t) { t.AddFile("a"); }, "a",
       std::string(256, 'n'), false, {"a"}, {{"a", "a"}}},
  };
  for (const Filesystem& filesystem : Filesystems()) {
    const UseFileCalls use(filesystem.calls);
    for (const RenameCase& c : cases) {
      SCOPED_TRACE(std::string(filesystem.name) + ": " + c.why);
      TempFolder t;
      c.fill(t);
      EXPECT_EQ(RenameFile(t.PathOf(c.from), t.PathOf(c.to)), c.renamed);
      EXPECT_EQ(t.Names(), c.namesAfter);
      for (const auto& [name, content] : c.contentsAfter) {
        EXPECT_EQ(ReadWholeFile(t.PathOf(name)), content) << name;
      }
    }
  }
}

TEST(RenameFile, RenamesALinkAsALink) {
  for (const Filesystem& filesystem : Filesystems()) {
    SCOPED_TRACE(filesystem.name);
    const UseFileCalls use(filesystem.calls);
    TempFolder t;
    t.AddFile("target", "kept");
    t.AddFolder("sub");
    t.AddSymlink("to-file", "target");
    t.AddSymlink("to-sub", "sub");
    EXPECT_TRUE(RenameFile(t.PathOf("to-file"), t.PathOf("renamed-file")));
    EXPECT_TRUE(RenameFile(t.PathOf("to-sub"), t.PathOf("renamed-sub")));
    EXPECT_TRUE(IsSymlink(t.PathOf("renamed-file")));
    EXPECT_TRUE(IsSymlink(t.PathOf("renamed-sub")));
    EXPECT_EQ(t.Names(), (Names{"renamed-file", "renamed-sub", "sub", "target"}));
    EXPECT_EQ(ReadWholeFile(t.PathOf("target")), "kept");
  }
}

TEST(RenameFile, UndoesTheNewLinkWhenTheOldNameCannotBeRemoved) {
  FileCalls calls = WithoutRenameNoReplace();
  calls.unlink = UnlinkFailingAtFirst;
  const UseFileCalls use(calls);
  failUnlinks = 1;
  TempFolder t;
  t.AddFile("a");
  EXPECT_FALSE(RenameFile(t.PathOf("a"), t.PathOf("b")));
  EXPECT_EQ(t.Names(), Names{"a"});
  EXPECT_EQ(ReadWholeFile(t.PathOf("a")), "a");
}

// ---- removing ----

struct RemoveCase {
  const char* why;
  std::function<void(TempFolder&)> fill;
  std::string target;
  bool removed;
  Names namesAfter;
};

TEST(RemoveFile, UnlinksFilesAndLinksButNothingElse) {
  const std::vector<RemoveCase> cases = {
      {"a file", [](TempFolder& t) { t.AddFile("a"); }, "a", true, {}},
      {"a read-only file stays",
       [](TempFolder& t) {
         t.AddFile("a");
         chmod(t.PathOf("a").c_str(), 0444);
       },
       "a", false, {"a"}},
      {"a folder stays", [](TempFolder& t) { t.AddFolder("sub"); }, "sub", false, {"sub"}},
      {"a missing path", [](TempFolder& t) { t.AddFile("a"); }, "missing", false, {"a"}},
      {"a dangling link", [](TempFolder& t) { t.AddSymlink("link", "nowhere"); }, "link", true,
       {}},
      {"a link to a read-only file: only the link goes",
       [](TempFolder& t) {
         t.AddFile("target");
         chmod(t.PathOf("target").c_str(), 0444);
         t.AddSymlink("link", "target");
       },
       "link", true, {"target"}},
      {"a link to a folder: only the link goes",
       [](TempFolder& t) {
         t.AddFolder("sub");
         t.AddSymlink("link", "sub");
       },
       "link", true, {"sub"}},
      {"a name that is not UTF-8", [](TempFolder& t) { t.AddFile("\xd5\xd5.jpg"); },
       "\xd5\xd5.jpg", true, {}},
  };
  for (const RemoveCase& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder t;
    c.fill(t);
    EXPECT_EQ(RemoveFile(t.PathOf(c.target)), c.removed);
    EXPECT_EQ(t.Names(), c.namesAfter);
  }
  EXPECT_FALSE(RemoveFile(""));
}

}  // namespace
