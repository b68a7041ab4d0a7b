// placeholder until the desktop services land
#include "platform/desktop.h"

std::string ReadClipboardText() { return {}; }
void EmptyClipboard() {}
void PostKeyEvent(int, bool) {}
std::string BrowseForFolder(QWidget*, std::string_view) { return {}; }
void ShellOpen(std::string_view) {}
void OpenUserGuide() {}
