// The desktop side of the services: clipboard, key events, the folder
// dialog and the shell's "open". Names cross this boundary as byte strings.
#pragma once

#include <string>
#include <string_view>

class QWidget;

std::string ReadClipboardText();
void EmptyClipboard();

// Posts one key press or release to the widget that has the keyboard focus
// in this program; it is handled once control is back in the event loop.
void PostKeyEvent(int virtualKey, bool release);

std::string BrowseForFolder(QWidget* owner, std::string_view prompt);

// The shell's "open": the default application of a file, the file browser
// for a folder. The outcome is not reported.
void ShellOpen(std::string_view path);

// The user guide at ../share/batch-renamer/guide/index.html beside the
// program's folder, in the build tree as in an installed tree; empty when
// it is not there.
std::string UserGuidePath();
void OpenUserGuide();
