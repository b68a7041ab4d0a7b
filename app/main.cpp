#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/text.h"
#include "platform/display_check.h"
#include "platform/program.h"
#include "ui/clipboard_capture.h"

int main(int, char** argv) {
  EnterExecutableFolder();
  std::atexit(ReleaseClipboardCache);
  NameCodePage = kUtf8CodePage;

  if (const std::string problem = DisplayProblem(); !problem.empty()) {
    std::fprintf(stderr, "batch-renamer: %s\n", problem.c_str());
    return EXIT_FAILURE;
  }
  // The program reads no command line: Qt sees the program's name alone.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication application(qtArgc, qtArgv);

  Program program;
  StartProgram(program);
  return QApplication::exec();
}
