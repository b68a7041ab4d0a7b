#include "platform/program.h"

#include <unistd.h>

#include <QWidget>
#include <string>

#include "platform/look/window_behaviour.h"
#include "ui/startup.h"

void StartProgram(Program& program) {
  DressWindow(program.form, program.window);
  BindHandlers(program.form, program.services);
  program.form.窗口.Raise(Event::Created);
  program.window.Widget().show();
}

void EnterExecutableFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return;
  path.resize(static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  if (chdir(folder.c_str()) != 0) return;
}
