// The handlers that choose the folder, act on the listed files and serve the
// two picture buttons.
#pragma once

#include <string>

class MainForm;
class Services;

inline constexpr const char* kFolderPrompt = "请选择文件存放的路径";

// The text of 列表框1's current item; empty when there is none.
std::string CurrentItemText(const MainForm& form);
// The folder text, "/", the current item text: always exactly one "/"
// added, whatever the folder text ends with.
std::string CurrentItemPath(const MainForm& form);

void ChooseFolder(MainForm& form, Services& services);
void OpenFolder(const MainForm& form, Services& services);
void TakeOverCurrentItem(MainForm& form, Services& services);
void OpenCurrentItem(const MainForm& form, Services& services);
void ShowListMenu(const MainForm& form, Services& services);
void DeleteCurrentItem(MainForm& form);
void Quit(Services& services);
void OpenMakersPage(Services& services);

void BindFolderCommands(MainForm& form, Services& services);
