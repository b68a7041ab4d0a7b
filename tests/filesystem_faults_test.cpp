// Filesystems that refuse or cannot do what a rename asks: missing
// permissions, a read-only filesystem, filesystems without no-replace renames
// or hard links. Every case ends with the contents of all files as they were.
#include "tests/fault_case.h"
#include "tests/support/unsupported_file_calls.h"

namespace {

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

// ---- filesystems of several kinds ----


struct FilesystemCase {
  const char* name;
  const char* kind;
  Abilities abilities;  // what the real filesystem under it answers
  std::optional<FileCalls> injected;
};
void PrintTo(const FilesystemCase& c, std::ostream* out) { *out << c.name; }

std::vector<FilesystemCase> Filesystems() {
  return {{"Disk", "disk", {true, true}, {}},
          {"Tmpfs", "tmpfs", {true, true}, {}},
          {"BindfsWithoutRenameNoReplace", "bindfs", {false, true}, {}},
          {"ExfatWithoutRenameNoReplaceOrHardLinks", "exfat", {false, false}, {}},
          {"InjectedWithoutRenameNoReplace", "disk", {true, true}, WithoutRenameNoReplace()},
          {"InjectedWithoutRenameNoReplaceOrHardLinks", "disk", {true, true},
           WithoutRenameNoReplaceOrHardLinks()}};
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
  FileCalls calls = WithoutRenameNoReplaceOrHardLinks();
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
