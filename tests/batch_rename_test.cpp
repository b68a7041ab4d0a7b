#include "engine/batch_rename.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "folder/folder.h"
#include "tests/support/temp_folder.h"
#include "ui/main_form.h"

namespace {

using Names = std::vector<std::string>;

struct Fields {
  int condition = 0;
  std::string deleteCount;
  std::string startNumber;
  std::optional<std::string> separator;  // the item to pick; "" picks none
  std::string oldText;
  std::string replacement;
  std::string prefix;
  std::string suffix;
  std::string newExtension;
};

void Fill(MainForm& form, const Fields& fields) {
  form.tj.SetSelectedIndex(fields.condition);
  form.删除字符.SetText(fields.deleteCount);
  form.递增字符.SetText(fields.startNumber);
  if (fields.separator) {
    const auto& items = form.分隔符.Items();
    const auto found = std::find(items.begin(), items.end(), *fields.separator);
    form.分隔符.SetSelectedIndex(found == items.end() ? -1
                                                     : static_cast<int>(found - items.begin()));
  }
  form.编辑框_旧的文本.SetText(fields.oldText);
  form.编辑框_替换为.SetText(fields.replacement);
  form.编辑框_加前缀.SetText(fields.prefix);
  form.编辑框_加后缀.SetText(fields.suffix);
  form.后缀名.SetText(fields.newExtension);
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

struct RenameCase {
  const char* name;
  Names before;
  Fields fields;
  Names after;
};

void PrintTo(const RenameCase& c, std::ostream* out) { *out << c.name; }

class BatchRenameTable : public testing::TestWithParam<RenameCase> {};

TEST_P(BatchRenameTable, RenamesEveryFileAndKeepsEveryContent) {
  const RenameCase& c = GetParam();
  TempFolder folder;
  for (const std::string& name : c.before) folder.AddFile(name);
  const auto contentsBefore = folder.ContentMultiset();
  MainForm form;
  form.编辑框_文件夹地址.SetText(folder.Path());
  Fill(form, c.fields);

  BatchRename(form);

  EXPECT_EQ(folder.Names(), Sorted(c.after));
  EXPECT_EQ(folder.ContentMultiset(), contentsBefore);
}

const Fields kNumberFromOne{.condition = 3, .startNumber = "1", .separator = "_"};

INSTANTIATE_TEST_SUITE_P(
    Passes, BatchRenameTable,
    testing::Values(
        RenameCase{"NumberingPutsNumberAndSeparatorInFront", {"a.jpg", "b.jpg"}, kNumberFromOne,
                   {"1_a.jpg", "2_b.jpg"}},
        RenameCase{"NumberingStartDropsLeadingZeros", {"a.jpg", "b.jpg"},
                   {.condition = 3, .startNumber = "007", .separator = "_"},
                   {"7_a.jpg", "8_b.jpg"}},
        RenameCase{"NumberingFromMinusOne", {"a.jpg", "b.jpg"},
                   {.condition = 3, .startNumber = "-1", .separator = "_"},
                   {"-1_a.jpg", "0_b.jpg"}},
        RenameCase{"NumberingStartTruncated", {"a.jpg", "b.jpg"},
                   {.condition = 3, .startNumber = "2.9", .separator = "_"},
                   {"2_a.jpg", "3_b.jpg"}},
        RenameCase{"NumberingWithoutSeparatorItem", {"a.jpg", "b.jpg"},
                   {.condition = 3, .startNumber = "1", .separator = ""}, {"1a.jpg", "2b.jpg"}},
        RenameCase{"NumberingEmptiesThePrefixBeforeUsingIt", {"a.jpg", "b.jpg"},
                   {.condition = 3, .startNumber = "1", .separator = "_", .prefix = "x"},
                   {"1_a.jpg", "2_b.jpg"}},
        RenameCase{"RunningNumberAndPositionAreSeparate", {"a.jpg", "p[编号].jpg"},
                   {.condition = 3, .startNumber = "10", .separator = "-"},
                   {"10-a.jpg", "11-p2.jpg"}},
        RenameCase{"RunningNumberWrapsPastTheTop", {"a", "b"},
                   {.condition = 3, .startNumber = "2147483647", .separator = "_"},
                   {"2147483647_a", "-2147483648_b"}},
        RenameCase{"DeleteLeft", {"photo1.jpg"}, {.condition = 1, .deleteCount = "5"}, {"1.jpg"}},
        RenameCase{"DeleteLeftZeroKeepsName", {"photo1.jpg"}, {.condition = 1, .deleteCount = "0"},
                   {"photo1.jpg"}},
        RenameCase{"DeleteLeftNegativeKeepsName", {"photo1.jpg"},
                   {.condition = 1, .deleteCount = "-3"}, {"photo1.jpg"}},
        RenameCase{"DeleteLeftNoNumberKeepsName", {"photo1.jpg"},
                   {.condition = 1, .deleteCount = "abc"}, {"photo1.jpg"}},
        RenameCase{"DeleteLeftAllFailsOnEmptyName", {"photo1.jpg"},
                   {.condition = 1, .deleteCount = "20"}, {"photo1.jpg"}},
        RenameCase{"DeleteLeftHugeCountSaturates", {"photo1.jpg"},
                   {.condition = 1, .deleteCount = "99999999999"}, {"photo1.jpg"}},
        RenameCase{"DeleteLeftFullWidthCount", {"photograph_2024.jpg"},
                   {.condition = 1, .deleteCount = "１２"}, {"024.jpg"}},
        RenameCase{"DeleteRightKeepsExtension", {"holiday.jpg"},
                   {.condition = 2, .deleteCount = "3"}, {"holi.jpg"}},
        RenameCase{"DeleteRightSecondFileFindsTargetTaken", {"a.jpg", "b.jpg"},
                   {.condition = 2, .deleteCount = "9"}, {".jpg", "b.jpg"}},
        RenameCase{"DeleteRightCountsChineseCharactersAsOne", {"假期照片.jpg"},
                   {.condition = 2, .deleteCount = "2"}, {"假期.jpg"}},
        RenameCase{"ConditionEmptiesNewExtension", {"ab.jpg"},
                   {.condition = 1, .deleteCount = "1", .newExtension = ".png"}, {"b.jpg"}},
        RenameCase{"ConditionWithoutCountLeavesTextRules", {"a.jpg"},
                   {.condition = 1, .prefix = "x"}, {"xa.jpg"}},
        RenameCase{"PositionInPrefix", {"a.jpg", "b.jpg"}, {.prefix = "[编号]-"},
                   {"1-a.jpg", "2-b.jpg"}},
        RenameCase{"SuffixOnlyWithExtension", {"photo.jpg", "README"}, {.suffix = "_s"},
                   {"photo_s.jpg", "README"}},
        RenameCase{"SuffixBeforeEveryExtensionText", {"a.jpg.jpg"}, {.suffix = "_s"},
                   {"a_s.jpg_s.jpg"}},
        RenameCase{"ReplaceEveryOccurrence", {"banana.txt"},
                   {.oldText = "a", .replacement = "o"}, {"bonono.txt"}},
        RenameCase{"ReplaceOntoTakenNameKeepsBoth", {"a.jpg", "b.jpg"},
                   {.oldText = "a", .replacement = "b"}, {"a.jpg", "b.jpg"}},
        RenameCase{"ReplaceIsCaseSensitive", {"a.jpg"}, {.oldText = "JPG", .replacement = "png"},
                   {"a.jpg"}},
        RenameCase{"ReplaceWithoutOldTextChangesNothing", {"a.jpg"}, {.replacement = "x"},
                   {"a.jpg"}},
        RenameCase{"NewExtension", {"a.jpg"}, {.newExtension = ".png"}, {"a.png"}},
        RenameCase{"NewExtensionNeedsAnExtension", {"README"}, {.newExtension = ".png"},
                   {"README"}},
        RenameCase{"NewExtensionReplacesExtensionTextInStem", {"a.jpg.jpg"},
                   {.newExtension = ".png"}, {"a.png.png"}},
        RenameCase{"NewExtensionTakenAsTyped", {"a.jpg"}, {.newExtension = "png"}, {"apng"}},
        RenameCase{"PrefixThenNewExtension", {"a.jpg"}, {.prefix = "x", .newExtension = ".png"},
                   {"xa.png"}},
        RenameCase{"PositionMarkInOwnName", {"a.jpg", "b.jpg", "x[编号].jpg"}, {},
                   {"a.jpg", "b.jpg", "x3.jpg"}},
        RenameCase{"PositionCountsFailedRenames", {"a", "b", "c", "x2b"}, {.prefix = "x[编号]"},
                   {"x1a", "b", "x3c", "x4x2b"}},
        RenameCase{"NamesInNaturalOrder", {"img10.jpg", "img9.jpg", "IMG1.jpg"},
                   {.condition = 3, .startNumber = "1", .separator = "_"},
                   {"1_IMG1.jpg", "2_img9.jpg", "3_img10.jpg"}},
        RenameCase{"LeadingHyphenAndSpaces", {"-rf", "  "}, {.prefix = "x"}, {"x-rf", "x  "}},
        RenameCase{"NameWithNewline", {"a\nb.txt"}, {.newExtension = ".md"}, {"a\nb.md"}},
        RenameCase{"NoFilesAtAll", {}, {.prefix = "x"}, {}}),
    [](const testing::TestParamInfo<RenameCase>& row) { return row.param.name; });

// Names in a legacy encoding ("测试" in GBK) are no valid UTF-8: every byte
// counts as a character and must come through each pass unchanged.
const std::string kGbk = "\xb2\xe2\xca\xd4";

INSTANTIATE_TEST_SUITE_P(
    LegacyNames, BatchRenameTable,
    testing::Values(
        RenameCase{"DeleteLeft", {kGbk + ".txt"}, {.condition = 1, .deleteCount = "1"},
                   {"\xe2\xca\xd4.txt"}},
        RenameCase{"DeleteRight", {kGbk + ".txt"}, {.condition = 2, .deleteCount = "1"},
                   {"\xb2\xe2\xca.txt"}},
        RenameCase{"Numbering", {kGbk + ".txt"}, kNumberFromOne, {"1_" + kGbk + ".txt"}},
        RenameCase{"TextRules", {kGbk + ".txt"},
                   {.oldText = "\xca", .replacement = "-", .prefix = "x", .suffix = "\xff"},
                   {"x\xb2\xe2-\xd4\xff.txt"}},
        RenameCase{"NewExtension", {kGbk + ".txt"}, {.newExtension = ".\xce\xc4"},
                   {kGbk + ".\xce\xc4"}}),
    [](const testing::TestParamInfo<RenameCase>& row) { return row.param.name; });

class BatchRenameRun : public testing::Test {
 protected:
  TempFolder folder;
  MainForm form;

  void SetUp() override { form.编辑框_文件夹地址.SetText(folder.Path()); }
};

TEST_F(BatchRenameRun, ClosingEmptiesRuleFieldsAndRefillsList) {
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  form.编辑框_旧的文本1.SetText("a.jpg");
  form.列表框1.SetItems({"stale"});
  Fill(form, {.condition = 3, .startNumber = "1", .separator = "_", .oldText = "a",
              .replacement = "b", .prefix = "p", .suffix = "s", .newExtension = ".x"});
  form.删除字符.SetText("4");

  BatchRename(form);

  for (const Control* field : {&form.编辑框_旧的文本, &form.编辑框_替换为, &form.编辑框_加前缀,
                               &form.编辑框_加后缀, &form.后缀名, &form.删除字符, &form.递增字符,
                               &form.编辑框_旧的文本1}) {
    EXPECT_EQ(field->Text(), "") << field->Name();
  }
  EXPECT_EQ(form.列表框1.Items(), (Names{"1_a.jpg", "2_b.jpg"}));
  EXPECT_EQ(form.列表框1.SelectedIndex(), -1);
  EXPECT_EQ(form.tj.SelectedIndex(), 3);
  EXPECT_EQ(form.分隔符.SelectedIndex(), 2);
  EXPECT_EQ(form.编辑框_文件夹地址.Text(), folder.Path());
}

TEST_F(BatchRenameRun, SubfoldersAreNeitherRenamedNorEntered) {
  folder.AddFile("a.jpg");
  folder.AddFolder("sub");
  folder.AddFile("sub/inner.jpg");
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"sub", "xa.jpg"}));
  EXPECT_EQ(ReadWholeFile(folder.PathOf("sub/inner.jpg")), "sub/inner.jpg");
}

TEST_F(BatchRenameRun, FolderTextEndingInSlashStillRenames) {
  folder.AddFile("a.jpg");
  form.编辑框_文件夹地址.SetText(folder.Path() + "/");
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"xa.jpg"}));
  EXPECT_EQ(form.列表框1.Items(), (Names{"xa.jpg"}));
}

TEST_F(BatchRenameRun, NameTooLongForPrefixKeepsItsName) {
  const std::string longest(255, 'n');
  folder.AddFile(longest);
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{longest}));
}

TEST_F(BatchRenameRun, MissingFolderRenamesNothingAndStillCloses) {
  form.编辑框_文件夹地址.SetText(folder.PathOf("missing"));
  form.编辑框_加前缀.SetText("x");
  form.列表框1.SetItems({"old"});

  BatchRename(form);

  EXPECT_EQ(form.编辑框_加前缀.Text(), "");
  EXPECT_EQ(form.列表框1.ItemCount(), 0);
}

TEST_F(BatchRenameRun, FileAsFolderRenamesNothing) {
  folder.AddFile("plain");
  form.编辑框_文件夹地址.SetText(folder.PathOf("plain"));
  form.编辑框_加前缀.SetText("x");

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"plain"}));
}

// An empty folder text names no folder: no pass may fall back on the
// current directory (nor on the root).
TEST_F(BatchRenameRun, EmptyFolderTextRenamesNothingInTheCurrentDirectory) {
  folder.AddFile("a.jpg");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  struct Case {
    const char* name;
    Fields fields;
  };
  for (const Case& c : {Case{"DeleteLeft", {.condition = 1, .deleteCount = "1"}},
                        Case{"DeleteRight", {.condition = 2, .deleteCount = "1"}},
                        Case{"Numbering", kNumberFromOne}, Case{"Prefix", {.prefix = "x"}},
                        Case{"NewExtension", {.newExtension = ".png"}}}) {
    form.编辑框_文件夹地址.SetText("");
    Fill(form, c.fields);
    BatchRename(form);
    EXPECT_EQ(folder.Names(), (Names{"a.jpg"})) << c.name;
    EXPECT_EQ(form.列表框1.ItemCount(), 0) << c.name;
  }
  std::filesystem::current_path(previous);
}

// The event pump runs while names are collected; whatever it does to the
// folder must never cost a file.
class PumpDuringRun : public BatchRenameRun {
 protected:
  int pumps = 0;
  void PumpOnce(std::function<void()> action) {
    form.SetEventPump([this, action] {
      if (++pumps == 1) action();
    });
  }
};

TEST_F(PumpDuringRun, TargetAppearingAfterListingIsNotReplaced) {
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  form.编辑框_加前缀.SetText("x");
  PumpOnce([this] { folder.AddFile("xb.jpg", "made by another program"); });

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"b.jpg", "xa.jpg", "xb.jpg"}));
  EXPECT_EQ(ReadWholeFile(folder.PathOf("b.jpg")), "b.jpg");
  EXPECT_EQ(ReadWholeFile(folder.PathOf("xb.jpg")), "made by another program");
}

TEST_F(PumpDuringRun, NestedRunDuringFirstPassDeletesOnlyOnce) {
  folder.AddFile("ab.txt");
  folder.AddFile("cd.txt");
  form.按钮_批量重命名.Bind(Event::Clicked, [this] { BatchRename(form); });
  Fill(form, {.condition = 1, .deleteCount = "1"});
  PumpOnce([this] { form.按钮_批量重命名.Raise(Event::Clicked); });

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"b.txt", "d.txt"}));
  EXPECT_EQ(form.列表框1.Items(), (Names{"b.txt", "d.txt"}));
  EXPECT_EQ(folder.ContentMultiset(), (Names{"ab.txt", "cd.txt"}));
}

TEST_F(PumpDuringRun, FieldTypedDuringCollectionIsTheOneUsed) {
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  form.编辑框_加前缀.SetText("x");
  PumpOnce([this] { form.编辑框_加前缀.SetText("y"); });

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"ya.jpg", "yb.jpg"}));
}

TEST_F(PumpDuringRun, FolderVanishingDuringRunLosesNothing) {
  TempFolder elsewhere;
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  form.编辑框_加前缀.SetText("x");
  const std::string moved = elsewhere.PathOf("moved");
  PumpOnce([&] { ASSERT_EQ(std::rename(folder.Path().c_str(), moved.c_str()), 0); });

  BatchRename(form);

  EXPECT_EQ(ReadWholeFile(moved + "/a.jpg"), "a.jpg");
  EXPECT_EQ(ReadWholeFile(moved + "/b.jpg"), "b.jpg");
  EXPECT_EQ(form.列表框1.ItemCount(), 0);
  ASSERT_EQ(std::rename(moved.c_str(), folder.Path().c_str()), 0);
}

TEST_F(PumpDuringRun, FileRemovedByAnotherProgramIsSkipped) {
  folder.AddFile("a.jpg");
  folder.AddFile("b.jpg");
  form.编辑框_加前缀.SetText("[编号]");
  PumpOnce([this] { std::remove(folder.PathOf("a.jpg").c_str()); });

  BatchRename(form);

  EXPECT_EQ(folder.Names(), (Names{"2b.jpg"}));
}

TEST(ApplyTextRules, ReadsFieldsAndPosition) {
  struct Case {
    const char* name;
    Fields fields;
    const char* file;
    int position;
    const char* expected;
  };
  const Case cases[] = {
      {"AllRules", {.oldText = "a", .replacement = "b", .prefix = "p", .suffix = "_s"}, "a.jpg", 1,
       "pb_s.jpg"},
      {"ReplacementAltersExtensionKeepsSuffixOut", {.oldText = ".jpg", .replacement = ".png", .suffix = "_s"},
       "a.jpg", 1, "a.png"},
      {"MarkFromSuffix", {.suffix = "[编号]"}, "a.jpg", 7, "a7.jpg"},
      {"MarkFromReplacement", {.oldText = "a", .replacement = "[编号]"}, "a.jpg", 12, "12.jpg"},
      {"NoRules", {}, "a.jpg", 1, "a.jpg"},
  };
  for (const Case& c : cases) {
    MainForm form;
    Fill(form, c.fields);
    EXPECT_EQ(ApplyTextRules(form, c.file, c.position), c.expected) << c.name;
  }
}

TEST(ClearRuleFields, LeavesCountsAndChoices) {
  MainForm form;
  Fill(form, {.condition = 2, .deleteCount = "3", .startNumber = "4", .separator = "+",
              .oldText = "o", .replacement = "r", .prefix = "p", .suffix = "s",
              .newExtension = ".e"});

  ClearRuleFields(form);

  for (const Control* field : {&form.编辑框_旧的文本, &form.编辑框_替换为, &form.编辑框_加前缀,
                               &form.编辑框_加后缀, &form.后缀名}) {
    EXPECT_EQ(field->Text(), "") << field->Name();
  }
  EXPECT_EQ(form.删除字符.Text(), "3");
  EXPECT_EQ(form.递增字符.Text(), "4");
  EXPECT_EQ(form.tj.SelectedIndex(), 2);
  EXPECT_EQ(form.分隔符.SelectedIndex(), 1);
}

}  // namespace
