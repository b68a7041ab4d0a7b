#include "ui/clipboard_capture.h"

#include <string>

#include "ui/main_form.h"
#include "ui/services.h"

namespace {

// The last text a tick took over; kept across focus periods for the whole run.
std::string ClipboardCache;

}  // namespace

void StartCapture(MainForm& form) { form.时钟1.SetTimerPeriod(kCapturePeriod); }

void StopCaptureAndEmptyClipboard(MainForm& form, Services& services) {
  form.时钟1.SetTimerPeriod(0);
  services.EmptyClipboard();
}

void StopCapture(MainForm& form) { form.时钟1.SetTimerPeriod(0); }

void CaptureStep(MainForm& form, Services& services) {
  // The copy happens once the tick has returned; the next tick finds it.
  SendKeyChord(services, kKeyC, kKeyControl);
  if (services.ReadClipboardText() == ClipboardCache) return;
  if (services.ReadClipboardText().empty()) return;
  ClipboardCache = services.ReadClipboardText();
  form.编辑框_旧的文本.SetText(ClipboardCache);
  services.EmptyClipboard();
}

void TakeOverOnFocus(MainForm& form, Services& services) {
  if (services.ReadClipboardText().empty()) return;
  form.编辑框_旧的文本.SetText(services.ReadClipboardText());
  services.EmptyClipboard();
}

void SendKeyChord(Services& services, int key, int modifier1, int modifier2, int modifier3) {
  if (modifier3 != 0) services.SendKeyEvent(modifier3, false);
  if (modifier2 != 0) services.SendKeyEvent(modifier2, false);
  services.SendKeyEvent(modifier1, false);
  services.SendKeyEvent(key, false);
  if (modifier3 != 0) services.SendKeyEvent(modifier3, true);
  if (modifier2 != 0) services.SendKeyEvent(modifier2, true);
  services.SendKeyEvent(modifier1, true);
  services.SendKeyEvent(key, true);
}

void BindClipboardCapture(MainForm& form, Services& services) {
  form.编辑框_旧的文本1.Bind(Event::FocusGained, [&] { StartCapture(form); });
  form.编辑框_旧的文本1.Bind(Event::FocusLost,
                             [&] { StopCaptureAndEmptyClipboard(form, services); });
  form.编辑框_旧的文本.Bind(Event::FocusGained, [&] { TakeOverOnFocus(form, services); });
  form.编辑框_旧的文本.Bind(Event::FocusLost, [&] { StopCapture(form); });
  form.编辑框_替换为.Bind(Event::FocusGained, [&] { StopCapture(form); });
  form.时钟1.Bind(Event::Tick, [&] { CaptureStep(form, services); });
}

void ReleaseClipboardCache() { std::string().swap(ClipboardCache); }
