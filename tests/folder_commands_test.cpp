#include "ui/folder_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fake_services.h"
#include "tests/support/temp_folder.h"
#include "ui/main_form.h"

namespace {

using Names = std::vector<std::string>;

// A window with the folder commands bound, over a real folder.
struct Window {
  TempFolder folder;
  MainForm form;
  FakeServices services;

  Window() { BindFolderCommands(form, services); }

  void Choose(const std::string& answer) {
    services.folderAnswers.push_back(answer);
    form.按钮_浏览文件夹.Raise(Event::Clicked);
  }
  void Select(const std::string& name) {
    const Names& items = form.列表框1.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == name) form.列表框1.TakeUserSelection(static_cast<int>(i));
    }
    ASSERT_EQ(CurrentItemText(form), name) << "not listed";
    form.列表框1.Raise(Event::ItemSelected);
  }
  void ChooseFromMenu(Control& item) {
    services.popupChoice = &item;
    form.列表框1.Raise(Event::RightButtonReleased);
    services.popupChoice = nullptr;
  }
};

TEST(ChooseFolder, WritesTheAnswerListsTheFolderAndClearsTheOldText) {
  struct Case {
    const char* name;
    std::function<std::string(const TempFolder&)> answer;
    Names expectedItems;
  };
  const Case cases[] = {
      {"a chosen folder lists its files in natural order",
       [](const TempFolder& f) { return f.Path(); }, {"a2.txt", "a10.txt", "b.txt"}},
      {"fault: the '/' of a folder ending in '/' was stripped",
       [](const TempFolder& f) { return f.Path() + "/"; }, {"a2.txt", "a10.txt", "b.txt"}},
      {"a cancelled dialog keeps the previous list",
       [](const TempFolder&) { return std::string(); }, {"old1", "old2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    for (const char* name : {"b.txt", "a10.txt", "a2.txt"}) w.folder.AddFile(name);
    w.folder.AddFolder("sub");
    w.form.列表框1.SetItems({"old1", "old2"});
    w.form.编辑框_文件夹地址.SetText("/somewhere/before");
    w.form.编辑框_旧的文本.SetText("old text");
    w.form.编辑框_旧的文本1.SetText("kept.txt");
    w.services.clipboard = "left by another program";

    const std::string answer = c.answer(w.folder);
    w.Choose(answer);

    EXPECT_EQ(w.services.dialogPrompts, Names{"请选择文件存放的路径"});
    EXPECT_EQ(w.form.编辑框_文件夹地址.Text(), answer);
    EXPECT_EQ(w.form.列表框1.Items(), c.expectedItems);
    EXPECT_EQ(w.form.列表框1.SelectedIndex(), -1);
    EXPECT_EQ(w.services.clipboard, "");
    EXPECT_EQ(w.form.编辑框_旧的文本.Text(), "");
    EXPECT_EQ(w.form.编辑框_旧的文本1.Text(), "kept.txt");
  }
}

TEST(ChooseFolder, AfterACancelNeitherTheFieldNorTheListOpensAnything) {
  Window w;
  w.folder.AddFile("a.txt");
  w.Choose(w.folder.Path());
  w.Choose("");
  w.Select("a.txt");

  w.form.编辑框_文件夹地址.Raise(Event::LeftButtonReleased);
  w.ChooseFromMenu(w.form.右键_打开);

  EXPECT_TRUE(w.services.popupMenus.empty());
  EXPECT_TRUE(w.services.shellOpens.empty());
}

TEST(OpenFolder, HandsTheFieldTextToTheShellUnchanged) {
  struct Case {
    const char* name;
    std::string folder;
    std::vector<ShellOpenCall> expected;
  };
  const Case cases[] = {
      {"an empty field opens nothing", "", {}},
      {"a folder opens shown normally", "/data/photos", {{"/data/photos", ShowMode::Normal}}},
      {"spaces and non-UTF-8 bytes keep every byte", "/data/my \xc4\xe3 files/",
       {{"/data/my \xc4\xe3 files/", ShowMode::Normal}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.form.编辑框_文件夹地址.TakeUserText(c.folder);
    w.form.编辑框_文件夹地址.Raise(Event::LeftButtonReleased);
    EXPECT_EQ(w.services.shellOpens, c.expected);
  }
}

TEST(TakeOverCurrentItem, CopiesTheRawNameAndEmptiesTheClipboard) {
  Window w;
  w.folder.AddFile("a \xc4\xe3.jpg");
  w.Choose(w.folder.Path());
  w.services.clipboard = "copied in another program";

  w.Select("a \xc4\xe3.jpg");

  EXPECT_EQ(w.form.编辑框_旧的文本1.Text(), "a \xc4\xe3.jpg");
  EXPECT_EQ(w.services.clipboard, "");
}

// 列表框1 double-clicked and the menu's "打开" do the same.
TEST(OpenCurrentItem, OpensFolderSlashItemMaximised) {
  struct Case {
    const char* name;
    std::string folderSuffix;  // appended to the real folder's path
    std::string selected;      // empty: no current item
    std::string expectedTail;  // after the real folder's path
  };
  const Case cases[] = {
      {"one '/' between folder and name", "", "a b.txt", "/a b.txt"},
      {"a folder ending in '/' gives '//', handed on unchanged", "/", "a b.txt", "//a b.txt"},
      {"no current item opens the folder followed by '/'", "", "", "/"},
  };
  for (const Case& c : cases) {
    for (const bool fromMenu : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (fromMenu ? " (menu)" : " (double click)"));
      Window w;
      w.folder.AddFile("a b.txt");
      w.Choose(w.folder.Path() + c.folderSuffix);
      if (!c.selected.empty()) w.Select(c.selected);

      if (fromMenu) {
        w.ChooseFromMenu(w.form.右键_打开);
      } else {
        w.form.列表框1.Raise(Event::DoubleClicked);
      }
      const std::vector<ShellOpenCall> expected{
          {w.folder.Path() + c.expectedTail, ShowMode::Maximised}};
      EXPECT_EQ(w.services.shellOpens, expected);
    }
  }
}

TEST(ShowListMenu, ShowsAtTheCursorOnlyWithAFolderAndKeepsTheCurrentItem) {
  struct Case {
    const char* name;
    bool withFolder;
    std::string selected;
    bool expectMenu;
  };
  const Case cases[] = {
      {"an empty folder field shows no menu", false, "", false},
      {"an empty part of the list, no current item", true, "", true},
      {"with a current item", true, "b.txt", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.folder.AddFile("a.txt");
    w.folder.AddFile("b.txt");
    w.Choose(c.withFolder ? w.folder.Path() : "");
    if (!c.selected.empty()) w.Select(c.selected);
    const int before = w.form.列表框1.SelectedIndex();
    w.services.cursor = {640, 480};

    w.form.列表框1.Raise(Event::RightButtonReleased);

    ASSERT_EQ(w.services.popupMenus.size(), c.expectMenu ? 1u : 0u);
    if (c.expectMenu) {
      EXPECT_EQ(w.services.popupMenus[0].x, 640);
      EXPECT_EQ(w.services.popupMenus[0].y, 480);
    }
    EXPECT_EQ(w.form.列表框1.SelectedIndex(), before);
  }
}

TEST(DeleteCurrentItem, RemovesTheFileForGoodAndRefillsTheList) {
  struct Case {
    const char* name;
    std::function<void(TempFolder&)> entries;
    std::string folderSuffix;  // appended to the real folder's path
    std::string selected;      // empty: no current item
    std::function<void(Window&)> meanwhile;
    Names expectedOnDisk;
    Names expectedItems;
  };
  const auto abc = [](TempFolder& f) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) f.AddFile(name);
  };
  const auto nothing = [](Window&) {};
  const Case cases[] = {
      {"the current item goes", abc, "", "b.txt", nothing, {"a.txt", "c.txt"},
       {"a.txt", "c.txt"}},
      {"a folder ending in '/' deletes through '//'", abc, "/", "b.txt", nothing,
       {"a.txt", "c.txt"}, {"a.txt", "c.txt"}},
      {"no current item: the path names the folder, nothing goes", abc, "", "", nothing,
       {"a.txt", "b.txt", "c.txt"}, {"a.txt", "b.txt", "c.txt"}},
      {"a name with spaces and non-UTF-8 bytes goes, its neighbour stays",
       [](TempFolder& f) {
         f.AddFile("x \xc4\xe3.txt");
         f.AddFile("x \xc4\xe4.txt");
       },
       "", "x \xc4\xe3.txt", nothing, {"x \xc4\xe4.txt"}, {"x \xc4\xe4.txt"}},
      {"a file removed by another program first: refilled, no error", abc, "", "b.txt",
       [](Window& w) { unlink(w.folder.PathOf("b.txt").c_str()); }, {"a.txt", "c.txt"},
       {"a.txt", "c.txt"}},
      {"fault: a name that became a folder meanwhile was removed", abc, "", "b.txt",
       [](Window& w) {
         unlink(w.folder.PathOf("b.txt").c_str());
         w.folder.AddFolder("b.txt");
       },
       {"a.txt", "b.txt", "c.txt"}, {"a.txt", "c.txt"}},
      {"a read-only file stays", abc, "", "b.txt",
       [](Window& w) { chmod(w.folder.PathOf("b.txt").c_str(), 0444); },
       {"a.txt", "b.txt", "c.txt"}, {"a.txt", "b.txt", "c.txt"}},
      {"a dangling symlink goes as a link",
       [](TempFolder& f) {
         f.AddFile("a.txt");
         f.AddSymlink("gone.lnk", f.PathOf("missing"));
       },
       "", "gone.lnk", nothing, {"a.txt"}, {"a.txt"}},
      {"fault: a symlink's target was removed instead of the link",
       [](TempFolder& f) {
         f.AddFile("a.txt");
         f.AddSymlink("to-a.lnk", f.PathOf("a.txt"));
       },
       "", "to-a.lnk", nothing, {"a.txt"}, {"a.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    c.entries(w.folder);
    w.Choose(w.folder.Path() + c.folderSuffix);
    if (!c.selected.empty()) w.Select(c.selected);
    c.meanwhile(w);

    w.ChooseFromMenu(w.form.右键_删除);

    EXPECT_EQ(w.folder.Names(), c.expectedOnDisk);
    EXPECT_EQ(w.form.列表框1.Items(), c.expectedItems);
    EXPECT_EQ(w.form.列表框1.SelectedIndex(), -1);
    EXPECT_EQ(w.form.编辑框_旧的文本1.Text(), c.selected);
  }
}

TEST(DeleteCurrentItem, UsesTheFieldTextAlsoWhenTheListShowsAnotherFolder) {
  Window w;
  TempFolder typed;
  w.folder.AddFile("a.txt", "listed folder's a");
  typed.AddFile("a.txt", "typed folder's a");
  typed.AddFile("z.txt");
  w.Choose(w.folder.Path());
  w.Select("a.txt");
  w.form.编辑框_文件夹地址.TakeUserText(typed.Path());

  w.ChooseFromMenu(w.form.右键_删除);

  EXPECT_EQ(w.folder.Names(), Names{"a.txt"});
  EXPECT_EQ(typed.Names(), Names{"z.txt"});
  EXPECT_EQ(w.form.列表框1.Items(), Names{"z.txt"});
}

TEST(DeleteCurrentItem, WithoutAFolderDeletesNothingAtTheRoot) {
  Window w;
  w.folder.AddFile("victim.txt");
  // A stale list after a cancelled dialog, with an item that the root
  // folder and "/" turn into the path of a real file.
  w.Choose("");
  w.form.列表框1.SetItems({w.folder.PathOf("victim.txt").substr(1)});
  w.form.列表框1.TakeUserSelection(0);

  w.form.右键_删除.Raise(Event::Clicked);

  EXPECT_EQ(w.folder.Names(), Names{"victim.txt"});
}

TEST(PictureButtons, QuitEndsWithCodeZeroAndTheGuideOpensAlone) {
  Window w;
  w.form.编辑框_旧的文本.TakeUserText("typed but never saved");
  w.form.图形按钮2.Raise(Event::Clicked);
  EXPECT_EQ(w.services.userGuideOpens, 1);
  EXPECT_TRUE(w.services.shellOpens.empty());
  EXPECT_TRUE(w.services.exitCodes.empty());

  w.form.图形按钮1.Raise(Event::Clicked);
  EXPECT_EQ(w.services.exitCodes, std::vector<int>{0});
}

}  // namespace
