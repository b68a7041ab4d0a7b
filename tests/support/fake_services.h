// A recording stand-in for the desktop: what would leave the machine or needs
// a human (the shell's launches, the folder dialog's user, the popup menu's
// user, the end of the process) is recorded or scripted. The clipboard is a
// text of its own, since a headless test has no desktop clipboard.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/services.h"

struct ShellOpenCall {
  std::string path;
  ShowMode mode;
  bool operator==(const ShellOpenCall&) const = default;
};

struct KeyEventCall {
  int virtualKey;
  bool release;
  bool operator==(const KeyEventCall&) const = default;
};

class FakeServices : public Services {
 public:
  // Scripted answers.
  ScreenSize screen{1920, 1080};
  ScreenPoint cursor{100, 200};
  std::deque<std::string> folderAnswers;  // one per dialog; none left = cancel
  Control* popupChoice = nullptr;         // the menu item the user picks, if any
  std::string clipboard;

  // What happened.
  std::vector<std::string> dialogPrompts;
  std::vector<ShellOpenCall> shellOpens;
  int userGuideOpens = 0;
  std::vector<ScreenPoint> popupMenus;
  std::vector<KeyEventCall> keyEvents;
  std::vector<int> exitCodes;
  Control* focused = nullptr;
  int clipboardReads = 0;
  int clipboardEmptyings = 0;
  int busyDepth = 0;

  ScreenSize PrimaryScreenSize() override { return screen; }
  void SetFocus(Control& control) override { focused = &control; }
  std::string ReadClipboardText() override;
  void EmptyClipboard() override;
  void SendKeyEvent(int virtualKey, bool release) override;
  ScreenPoint CursorPosition() override { return cursor; }
  void ShowPopupMenu(ScreenPoint topLeft) override;
  std::string BrowseForFolder(std::string_view prompt) override;
  void ShellOpen(std::string_view path, ShowMode mode) override;
  void OpenUserGuide() override { ++userGuideOpens; }
  void BeginBusy() override { ++busyDepth; }
  void EndBusy() override { --busyDepth; }
  void EndProgram(int exitCode) override { exitCodes.push_back(exitCode); }
};
