// Taking over a piece of the selected file name as the old text: while
// 编辑框_旧的文本1 has the focus, 时钟1 makes it copy its selection, and each
// new text that arrives on the clipboard moves into 编辑框_旧的文本.
#pragma once

class MainForm;
class Services;

inline constexpr int kCapturePeriod = 100;

// 编辑框_旧的文本1 focus gained / lost.
void StartCapture(MainForm& form);
void StopCaptureAndEmptyClipboard(MainForm& form, Services& services);
// 编辑框_旧的文本 focus lost, 编辑框_替换为 focus gained.
void StopCapture(MainForm& form);

// One tick of 时钟1.
void CaptureStep(MainForm& form, Services& services);
// 编辑框_旧的文本 focus gained: whatever text is on the clipboard.
void TakeOverOnFocus(MainForm& form, Services& services);

// Presses the modifiers (the third first, 0 = none), then the key, then
// releases the modifiers in the order they were pressed, then the key.
void SendKeyChord(Services& services, int key, int modifier1, int modifier2 = 0,
                  int modifier3 = 0);

void BindClipboardCapture(MainForm& form, Services& services);

// The exit routine: frees the last captured text.
void ReleaseClipboardCache();
