#include "ui/startup.h"

#include "engine/batch_rename.h"
#include "engine/text.h"
#include "ui/clipboard_capture.h"
#include "ui/control_states.h"
#include "ui/folder_commands.h"
#include "ui/main_form.h"
#include "ui/services.h"

void CenterWindow(MainForm& form, Services& services) {
  const ScreenSize screen = services.PrimaryScreenSize();
  const double freeWidth = static_cast<double>(screen.width) - form.窗口.Width();
  const double freeHeight = static_cast<double>(screen.height) - form.窗口.Height();
  form.窗口.SetLeft(TruncateToInt(freeWidth / 2.0));
  form.窗口.SetTop(TruncateToInt(freeHeight / 4.0));
}

void PrepareMainForm(MainForm& form, Services& services) {
  CenterWindow(form, services);
  if (form.编辑框_文件夹地址.Text().empty()) {
    form.tj.SetDisabled(true);
    form.按钮_批量重命名.SetDisabled(true);
  }
  services.SetFocus(form.列表框1);
  services.EmptyClipboard();
  form.编辑框_旧的文本.SetText({});
}

namespace {

// The busy state spans the whole command, nested runs included, so that a
// close request made meanwhile waits for the outermost run to finish.
void RunBatchRename(MainForm& form, Services& services) {
  services.BeginBusy();
  BatchRename(form);
  services.EndBusy();
}

}  // namespace

void BindHandlers(MainForm& form, Services& services) {
  form.窗口.Bind(Event::Created, [&] { PrepareMainForm(form, services); });
  form.按钮_批量重命名.Bind(Event::Clicked, [&] { RunBatchRename(form, services); });
  form.tim.Bind(Event::Tick, [&] { UpdateControlStates(form); });
  BindFolderCommands(form, services);
  BindClipboardCapture(form, services);
}
