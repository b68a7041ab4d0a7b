#include "ui/folder_commands.h"

#include "folder/folder.h"
#include "ui/main_form.h"
#include "ui/services.h"

std::string CurrentItemText(const MainForm& form) {
  return form.列表框1.ItemText(form.列表框1.SelectedIndex());
}

std::string CurrentItemPath(const MainForm& form) {
  return form.编辑框_文件夹地址.Text() + "/" + CurrentItemText(form);
}

void ChooseFolder(MainForm& form, Services& services) {
  form.编辑框_文件夹地址.SetText(services.BrowseForFolder(kFolderPrompt));
  const std::string folder = form.编辑框_文件夹地址.Text();
  if (!folder.empty()) ListFolder(form, folder);
  services.EmptyClipboard();
  form.编辑框_旧的文本.SetText({});
}

void OpenFolder(const MainForm& form, Services& services) {
  const std::string& folder = form.编辑框_文件夹地址.Text();
  if (folder.empty()) return;
  services.ShellOpen(folder, ShowMode::Normal);
}

void TakeOverCurrentItem(MainForm& form, Services& services) {
  form.编辑框_旧的文本1.SetText(CurrentItemText(form));
  services.EmptyClipboard();
}

void OpenCurrentItem(const MainForm& form, Services& services) {
  services.ShellOpen(CurrentItemPath(form), ShowMode::Maximised);
}

void ShowListMenu(const MainForm& form, Services& services) {
  if (form.编辑框_文件夹地址.Text().empty()) return;
  services.ShowPopupMenu(services.CursorPosition());
}

void DeleteCurrentItem(MainForm& form) {
  // Without a folder the path would name a file of the root folder.
  if (!form.编辑框_文件夹地址.Text().empty()) RemoveFile(CurrentItemPath(form));
  ListFolder(form, form.编辑框_文件夹地址.Text());
}

void Quit(Services& services) { services.EndProgram(0); }

void OpenMakersPage(Services& services) { services.OpenUserGuide(); }

void BindFolderCommands(MainForm& form, Services& services) {
  form.按钮_浏览文件夹.Bind(Event::Clicked, [&] { ChooseFolder(form, services); });
  form.编辑框_文件夹地址.Bind(Event::LeftButtonReleased, [&] { OpenFolder(form, services); });
  form.列表框1.Bind(Event::ItemSelected, [&] { TakeOverCurrentItem(form, services); });
  form.列表框1.Bind(Event::DoubleClicked, [&] { OpenCurrentItem(form, services); });
  form.列表框1.Bind(Event::RightButtonReleased, [&] { ShowListMenu(form, services); });
  form.右键_打开.Bind(Event::Clicked, [&] { OpenCurrentItem(form, services); });
  form.右键_删除.Bind(Event::Clicked, [&] { DeleteCurrentItem(form); });
  form.图形按钮1.Bind(Event::Clicked, [&] { Quit(services); });
  form.图形按钮2.Bind(Event::Clicked, [&] { OpenMakersPage(services); });
}
