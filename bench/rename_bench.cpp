// Times BatchRename on 100,000 files against the floor: a plain loop that
// lists the folder as often as a run does and calls renameat2 once for every
// name that changes. Prints files per second and the ratio to the floor.
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/batch_rename.h"
#include "engine/text.h"
#include "ui/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string MakeFolder(const std::string& root, int files) {
  std::string path = root + "/renamer-bench-XXXXXX";
  if (mkdtemp(path.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  for (int i = 1; i <= files; ++i) {
    const std::string name = path + "/IMG_" + std::to_string(i) + ".jpg";
    const int fd = open(name.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
    if (fd < 0) {
      std::perror("open");
      std::exit(1);
    }
    close(fd);
  }
  return path;
}

std::vector<std::string> ListPlain(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_type == DT_DIR) continue;
      names.emplace_back(entry->d_name);
    }
    closedir(dir);
  }
  return names;
}

void RenameNoReplace(const std::string& from, const std::string& to) {
  syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

// One run of the floor: `lists` listings, and a renaming pass for each rule.
void FloorRun(const std::string& folder, int lists,
              const std::vector<std::function<std::string(const std::string&, int)>>& rules) {
  for (const auto& rule : rules) {
    const auto names = ListPlain(folder);
    int position = 0;
    for (const std::string& name : names) {
      const std::string newName = rule(name, ++position);
      if (newName != name) RenameNoReplace(folder + "/" + name, folder + "/" + newName);
    }
    --lists;
  }
  for (; lists > 0; --lists) ListPlain(folder);
}

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  double numbering = 0;
  double prefixAndExtension = 0;
};

Figures ProgramOnce(const std::string& root, int files) {
  const std::string folder = MakeFolder(root, files);
  MainForm form;
  form.编辑框_文件夹地址.SetText(folder);
  Figures figures;
  figures.numbering = Seconds([&] {
    form.tj.SetSelectedIndex(3);
    form.递增字符.SetText("1");
    form.分隔符.SetSelectedIndex(2);
    BatchRename(form);
  });
  figures.prefixAndExtension = Seconds([&] {
    form.tj.SetSelectedIndex(0);
    form.编辑框_加前缀.SetText("x");
    form.后缀名.SetText(".txt");
    BatchRename(form);
  });
  std::filesystem::remove_all(folder);
  return figures;
}

Figures FloorOnce(const std::string& root, int files) {
  const std::string folder = MakeFolder(root, files);
  Figures figures;
  // Numbering: pass 3 renames, pass 4 and the closing refill only list.
  figures.numbering = Seconds([&] {
    FloorRun(folder, 3, {[](const std::string& name, int position) {
               return std::to_string(position) + "_" + name;
             }});
  });
  // Prefix and new extension: pass 4 and pass 5 rename, the refill lists.
  figures.prefixAndExtension = Seconds([&] {
    FloorRun(folder, 3,
             {[](const std::string& name, int) { return "x" + name; },
              [](const std::string& name, int) {
                return name.substr(0, name.size() - 4) + ".txt";
              }});
  });
  std::filesystem::remove_all(folder);
  return figures;
}

void Report(const char* what, int renames, double program, double floor) {
  std::printf("  %-28s program %8.0f files/s (%.3f s)   floor %8.0f files/s (%.3f s)   ratio %.2f\n",
              what, renames / program, program, renames / floor, floor, program / floor);
}

struct Options {
  int files = 100000;
  int rounds = 3;
  bool tsv = false;  // every round's seconds, one line each, for scripts
  std::vector<std::string> roots;
};

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--files" && i + 1 < argc) {
      options.files = std::atoi(argv[++i]);
    } else if (arg == "--rounds" && i + 1 < argc) {
      options.rounds = std::atoi(argv[++i]);
    } else if (arg == "--tsv") {
      options.tsv = true;
    } else {
      options.roots.push_back(arg);
    }
  }
  if (options.roots.empty()) options.roots = {"/dev/shm", RENAMER_BENCH_DISK_ROOT};
  return options;
}

void PrintRound(const std::string& root, int files, const char* tool, const Figures& figures) {
  std::printf("%s\t%d\t%s\tnumbering\t%.6f\n", root.c_str(), files, tool, figures.numbering);
  std::printf("%s\t%d\t%s\trules\t%.6f\n", root.c_str(), files, tool, figures.prefixAndExtension);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  NameCodePage = kUtf8CodePage;
  const Options options = Parse(argc, argv);
  const int files = options.files;
  const int rounds = options.rounds;

  for (const std::string& root : options.roots) {
    std::vector<double> programNumbering, programRules, floorNumbering, floorRules;
    for (int round = 0; round < rounds; ++round) {
      const Figures floor = FloorOnce(root, files);
      const Figures program = ProgramOnce(root, files);
      if (options.tsv) {
        PrintRound(root, files, "floor", floor);
        PrintRound(root, files, "program", program);
      }
      floorNumbering.push_back(floor.numbering);
      floorRules.push_back(floor.prefixAndExtension);
      programNumbering.push_back(program.numbering);
      programRules.push_back(program.prefixAndExtension);
    }
    if (options.tsv) continue;
    std::printf("%d files in %s, median of %d rounds:\n", files, root.c_str(), rounds);
    Report("numbering (start 1, \"_\")", files, Median(programNumbering), Median(floorNumbering));
    Report("prefix \"x\" + new extension", 2 * files, Median(programRules), Median(floorRules));
  }
  return 0;
}
