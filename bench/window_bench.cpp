// Figures of the real window, each measured in a fresh process of this
// program: startup to the first painted frame against a bare Qt Widgets
// window with as many controls, the CPU of the idle window with tim ticking,
// ListFolder of 100,000 names into 列表框1 until painted, the cost of the
// event pump, and peak memory. Offscreen always; on X as well when a display
// can be opened (run it under xvfb-run for that).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/text.h"
#include "folder/folder.h"
#include "platform/display_check.h"
#include "platform/program.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kProcessStart = Clock::now();

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double PeakRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Calls `done` once the next frame of the widget has been painted and
// flushed: the paint event runs inside the frame's update, the zero timer
// after it.
class FramePainted : public QObject {
 public:
  FramePainted(QWidget& widget, std::function<void()> done) : done_(std::move(done)) {
    widget.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, done_);
    }
    return false;
  }

 private:
  std::function<void()> done_;
  bool seen_ = false;
};

// A frameless window with as many controls of the same kinds, bound to
// nothing.
QWidget* BareWindow() {
  auto* window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window->setFixedSize(510, 485);
  int y = 0;
  auto place = [&](QWidget* widget) { widget->setGeometry(4, (y++ % 20) * 22, 120, 22); };
  place(new QPushButton(QStringLiteral("浏览"), window));
  for (int i = 0; i < 2; ++i) place(new QPushButton(window));
  for (int i = 0; i < 9; ++i) place(new QLineEdit(window));
  for (int i = 0; i < 2; ++i) {
    auto* combo = new QComboBox(window);
    combo->addItems({QStringLiteral("选择命名条件"), QStringLiteral("左起删除字符")});
    place(combo);
  }
  auto* list = new QListView(window);
  list->setModel(new QStringListModel(list));
  list->setGeometry(4, 128, 502, 353);
  place(new QPushButton(QStringLiteral("重命名"), window));
  for (int i = 0; i < 11; ++i) place(new QLabel(QStringLiteral("文件目录"), window));
  auto* menu = new QMenu(window);
  menu->addAction(QStringLiteral("打开"));
  menu->addAction(QStringLiteral("删除"));
  (new QTimer(window))->start(50);
  return window;
}

int FirstFrameChild(bool real) {
  int argc = 1;
  char name[] = "window-bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  std::unique_ptr<Program> program;
  QWidget* window = nullptr;
  if (real) {
    NameCodePage = kUtf8CodePage;
    program = std::make_unique<Program>();
    window = &program->window.Widget();
  } else {
    window = BareWindow();
  }
  FramePainted painted(*window, [] {
    std::printf("%.3f %.2f\n", MsSince(kProcessStart), PeakRssMiB());
    std::fflush(stdout);
    _exit(0);
  });
  if (real) {
    StartProgram(*program);
  } else {
    window->show();
  }
  return QApplication::exec();
}

int IdleChild(int seconds, bool real) {
  int argc = 1;
  char name[] = "window-bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  NameCodePage = kUtf8CodePage;
  std::unique_ptr<Program> program;
  std::unique_ptr<QWidget> bare;
  if (real) {
    program = std::make_unique<Program>();
    StartProgram(*program);
  } else {
    bare.reset(BareWindow());
    bare->show();
  }
  Wait(1000);  // settle: fonts, first frames
  const double cpu = CpuSeconds();
  const Clock::time_point start = Clock::now();
  QTimer::singleShot(seconds * 1000, [] { QApplication::quit(); });
  QApplication::exec();
  const double wall = MsSince(start) / 1000.0;
  std::printf("%.3f %.2f\n", 100.0 * (CpuSeconds() - cpu) / wall, PeakRssMiB());
  return 0;
}

int ListChild(const std::string& folder) {
  int argc = 1;
  char name[] = "window-bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  NameCodePage = kUtf8CodePage;
  Program program;
  StartProgram(program);
  Wait(200);
  QWidget* view = program.window.WidgetOf(program.form.列表框1);
  QWidget* viewport = dynamic_cast<QListView*>(view)->viewport();

  const double rssBefore = PeakRssMiB();
  const Clock::time_point start = Clock::now();
  ListFolder(program.form, folder);
  const double listed = MsSince(start);
  double painted = 0;
  FramePainted frame(*viewport, [&] { painted = MsSince(start); });
  while (painted == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  const double peak = PeakRssMiB();

  // The two halves on their own: the folder search, then the widget taking
  // the same names (one reset of the model, the layout and the paint).
  const Clock::time_point searchStart = Clock::now();
  FindHandle handle;
  FindEntry(SearchFolder(folder) + "*.*", handle);
  const double searched = MsSince(searchStart);
  std::vector<std::string> names = handle.names;
  EndFind(handle);
  const Clock::time_point refillStart = Clock::now();
  double refilled = 0;
  FramePainted refill(*viewport, [&] { refilled = MsSince(refillStart); });
  program.form.列表框1.SetItems(std::move(names));
  while (refilled == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  constexpr int kPumps = 100000;
  const Clock::time_point pumpStart = Clock::now();
  for (int i = 0; i < kPumps; ++i) program.form.ProcessPendingEvents();
  const double pumpNs = MsSince(pumpStart) * 1e6 / kPumps;
  std::printf("%d %.2f %.2f %.2f %.2f %.1f %.2f %.2f\n", program.form.列表框1.ItemCount(), listed,
              painted, rssBefore, peak, pumpNs, searched, refilled);
  return 0;
}

// Runs this program again with the arguments and the platform, and gives
// what it printed and how long it took from the spawn to its exit.
std::string RunChild(const std::vector<std::string>& arguments, const char* platform, double& wallMs) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0) environment.emplace_back(*variable);
  }
  environment.push_back(std::string("QT_QPA_PLATFORM=") + platform);
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::vector<std::string> words{self};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) std::exit(1);
  close(pipeEnds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  int status = 0;
  waitpid(child, &status, 0);
  wallMs = MsSince(start);
  close(pipeEnds[0]);
  posix_spawn_file_actions_destroy(&actions);
  return out;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void FirstFrames(const char* platform) {
  constexpr int kRuns = 15;
  std::vector<double> wall[2], inside[2], rss[2];
  for (int run = 0; run < kRuns; ++run) {
    for (int real = 0; real < 2; ++real) {
      double ms = 0;
      const std::string out = RunChild({"--first-frame", real != 0 ? "real" : "bare"}, platform, ms);
      double insideMs = 0, peak = 0;
      std::sscanf(out.c_str(), "%lf %lf", &insideMs, &peak);
      wall[real].push_back(ms);
      inside[real].push_back(insideMs);
      rss[real].push_back(peak);
    }
  }
  std::printf("%-9s start to first frame, median of %d: real %.1f ms (%.1f ms inside main), "
              "bare window %.1f ms (%.1f ms); ratio %.2f\n",
              platform, kRuns, Median(wall[1]), Median(inside[1]), Median(wall[0]), Median(inside[0]),
              Median(wall[1]) / Median(wall[0]));
  std::printf("%-9s peak RSS at the first frame: real %.1f MiB, bare window %.1f MiB\n", platform,
              Median(rss[1]), Median(rss[0]));
}

void Idle(const char* platform, int seconds) {
  double cpu[2] = {}, rss[2] = {};
  for (int real = 0; real < 2; ++real) {
    double ms = 0;
    const std::string out =
        RunChild({"--idle", std::to_string(seconds), real != 0 ? "real" : "bare"}, platform, ms);
    std::sscanf(out.c_str(), "%lf %lf", &cpu[real], &rss[real]);
  }
  std::printf("%-9s idle over %d s: the real window with tim ticking %.3f %% of one core "
              "(peak RSS %.1f MiB); a bare window with a bare 50 ms timer %.3f %%\n",
              platform, seconds, cpu[1], rss[1], cpu[0]);
}

std::string MakeFolder(int files) {
  std::string path = std::filesystem::temp_directory_path().string() + "/window-bench-XXXXXX";
  if (mkdtemp(path.data()) == nullptr) std::exit(1);
  for (int i = 1; i <= files; ++i) {
    const int fd = open((path + "/IMG_" + std::to_string(i) + ".jpg").c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) close(fd);
  }
  return path;
}

void List(const char* platform, const std::string& folder) {
  double ms = 0;
  const std::string out = RunChild({"--list", folder}, platform, ms);
  int names = 0;
  double listed = 0, painted = 0, rssBefore = 0, rssAfter = 0, pumpNs = 0, searched = 0, refilled = 0;
  std::sscanf(out.c_str(), "%d %lf %lf %lf %lf %lf %lf %lf", &names, &listed, &painted, &rssBefore,
              &rssAfter, &pumpNs, &searched, &refilled);
  std::printf("%-9s ListFolder of %d names into 列表框1: %.1f ms listed, %.1f ms until painted; "
              "peak RSS %.1f MiB (%.1f MiB before)\n",
              platform, names, listed, painted, rssAfter, rssBefore);
  std::printf("%-9s   of which the folder search alone %.1f ms; the list taking the same names "
              "until painted %.1f ms\n",
              platform, searched, refilled);
  std::printf("%-9s event pump: %.1f ns a call over 100,000 calls\n", platform, pumpNs);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--first-frame") return FirstFrameChild(args[1] == "real");
  if (args.size() == 3 && args[0] == "--idle") return IdleChild(std::atoi(args[1].c_str()), args[2] == "real");
  if (args.size() == 2 && args[0] == "--list") return ListChild(args[1]);

  const int idleSeconds = args.size() == 2 && args[0] == "--idle-seconds" ? std::atoi(args[1].c_str()) : 30;
  std::vector<const char*> platforms{"offscreen"};
  if (std::getenv("DISPLAY") != nullptr && DisplayProblem().empty()) platforms.push_back("xcb");
  const std::string folder = MakeFolder(100000);
  for (const char* platform : platforms) {
    FirstFrames(platform);
    List(platform, folder);
    Idle(platform, idleSeconds);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
