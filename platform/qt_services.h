// The desktop services of the handlers, on Qt and the desktop functions.
#pragma once

#include "ui/services.h"

class QtWindow;

class QtServices : public Services {
 public:
  explicit QtServices(QtWindow& window) : window_(window) {}

  ScreenSize PrimaryScreenSize() override;
  void SetFocus(Control& control) override;
  std::string ReadClipboardText() override;
  void EmptyClipboard() override;
  void SendKeyEvent(int virtualKey, bool release) override;
  ScreenPoint CursorPosition() override;
  void ShowPopupMenu(ScreenPoint topLeft) override;
  std::string BrowseForFolder(std::string_view prompt) override;
  void ShellOpen(std::string_view path, ShowMode mode) override;
  void OpenUserGuide() override;
  void BeginBusy() override;
  void EndBusy() override;
  // Hides the window, then ends the process through std::exit, so that the
  // exit routine registered with std::atexit runs; also from inside a
  // nested command.
  void EndProgram(int exitCode) override;

 private:
  QtWindow& window_;
};
