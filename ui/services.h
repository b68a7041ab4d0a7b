// What the handlers need of the desktop beyond the window model: the
// clipboard, the keyboard, the shell, the screen and the end of the program.
#pragma once

#include <string>
#include <string_view>

class Control;

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

enum class ShowMode { Normal, Maximised };

// Virtual-key codes as the key events take them.
inline constexpr int kKeyC = 67;
inline constexpr int kKeyControl = 17;

class Services {
 public:
  virtual ~Services() = default;

  virtual ScreenSize PrimaryScreenSize() = 0;
  virtual void SetFocus(Control& control) = 0;

  // The empty text when the clipboard holds no text or cannot be read.
  virtual std::string ReadClipboardText() = 0;
  virtual void EmptyClipboard() = 0;

  // Queues one key press or release for the focused control of this
  // program; it is handled after the caller returns to the event loop.
  virtual void SendKeyEvent(int virtualKey, bool release) = 0;

  virtual ScreenPoint CursorPosition() = 0;
  // Shows the popup menu "右键" at the point and returns when it closes; the
  // chosen item then raises its Clicked event.
  virtual void ShowPopupMenu(ScreenPoint topLeft) = 0;

  // The chosen folder's path, or the empty text on cancel.
  virtual std::string BrowseForFolder(std::string_view prompt) = 0;
  virtual void ShellOpen(std::string_view path, ShowMode mode) = 0;
  virtual void OpenUserGuide() = 0;

  // While a batch command runs: the busy cursor shows, and a request to close
  // the window waits until the outermost command has ended. Calls nest.
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;

  // Runs the exit routine and ends the process with the code.
  virtual void EndProgram(int exitCode) = 0;
};
