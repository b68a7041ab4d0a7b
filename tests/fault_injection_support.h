// What the fault cases need of the machine beyond a temporary folder: a
// private mount namespace for the filesystems they mount, mounts that are
// undone at scope exit, and running a step as an unprivileged user.
#pragma once

#include <grp.h>
#include <dirent.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Mounts made from here on are seen by this process and its children only,
// and vanish with them. Empty on success, else why not.
inline std::string EnterPrivateMounts() {
  static std::string why = [] {
    if (unshare(CLONE_NEWNS) != 0) return "unshare(CLONE_NEWNS): " + std::string(std::strerror(errno));
    if (mount("none", "/", "none", MS_REC | MS_PRIVATE, nullptr) != 0) {
      return "making / private: " + std::string(std::strerror(errno));
    }
    return std::string();
  }();
  return why;
}

inline bool HasCommand(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// A mount made by a shell command, unmounted when the scope ends; then the
// cleanup command runs.
class ScopedMount {
 public:
  ScopedMount(std::string point, const std::string& command, std::string cleanup = {})
      : point_(std::move(point)), cleanup_(std::move(cleanup)) {
    mounted_ = std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
  }
  ~ScopedMount() {
    if (mounted_) umount2(point_.c_str(), MNT_DETACH);
    if (!cleanup_.empty()) std::system(("(" + cleanup_ + ") >/dev/null 2>&1").c_str());
  }
  ScopedMount(const ScopedMount&) = delete;
  ScopedMount& operator=(const ScopedMount&) = delete;
  bool Mounted() const { return mounted_; }

 private:
  std::string point_;
  std::string cleanup_;
  bool mounted_ = false;
};

inline constexpr uid_t kNobody = 65534;
inline constexpr int kCannotDropPrivileges = 77;

// Runs `step` in a child process as the user nobody when this process is
// root, as this user otherwise. Gives the child's exit status: 0 when the
// step ran, kCannotDropPrivileges when the child could not become nobody.
inline int RunUnprivileged(const std::function<void()>& step) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                           setresuid(kNobody, kNobody, kNobody) != 0)) {
      _exit(kCannotDropPrivileges);
    }
    step();
    _exit(0);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

#include "tests/support/temp_folder.h"

// A folder on a filesystem of one kind, made under a scratch folder.
struct Place {
  std::string folder;
  std::unique_ptr<ScopedMount> mount;
  std::string skip;                // why the kind cannot be had here
};

// What a filesystem answers to the two calls whose absence needs a fallback.
struct Abilities {
  bool renameNoReplace;
  bool hardLinks;
  bool operator==(const Abilities&) const = default;
};

inline Abilities Probe(const std::string& folder) {
  const std::string a = folder + "/.probe-a";
  const std::string b = folder + "/.probe-b";
  const std::string c = folder + "/.probe-c";
  close(open(a.c_str(), O_CREAT | O_WRONLY, 0644));
  Abilities abilities{};
  abilities.renameNoReplace = renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE) == 0;
  const std::string& now = abilities.renameNoReplace ? b : a;
  abilities.hardLinks = link(now.c_str(), c.c_str()) == 0;
  for (const std::string* path : {&a, &b, &c}) unlink(path->c_str());
  return abilities;
}

inline std::string MountedPlace(Place& place, const std::string& command,
                                const std::string& cleanup = {}) {
  if (std::string why = EnterPrivateMounts(); !why.empty()) return why;
  place.mount = std::make_unique<ScopedMount>(place.folder, command, cleanup);
  return place.mount->Mounted() ? std::string() : "`" + command + "` failed";
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

inline Place MakePlace(const std::string& kind, const std::string& scratch) {
  Place place{.folder = scratch + "/files"};
  mkdir(place.folder.c_str(), 0755);
  const std::string target = Quoted(place.folder);
  if (kind == "tmpfs") {
    place.skip = MountedPlace(place, "mount -t tmpfs -o size=64m tmpfs " + target);
  } else if (kind == "bindfs") {
    const std::string source = scratch + "/source";
    mkdir(source.c_str(), 0755);
    place.skip = HasCommand("bindfs") ? MountedPlace(place, "bindfs " + Quoted(source) + " " + target)
                                      : "bindfs is not installed";
  } else if (kind == "exfat") {
    // mount.exfat-fuse wants a block device: a loop device over an image.
    const std::string image = Quoted(scratch + "/exfat.img");
    place.skip =
        HasCommand("mkfs.exfat") && HasCommand("mount.exfat-fuse") && HasCommand("losetup")
            ? MountedPlace(place,
                           "truncate -s 64M " + image + " && mkfs.exfat " + image +
                               " && mount.exfat-fuse \"$(losetup --find --show " + image + ")\" " +
                               target,
                           "losetup --associated " + image + " --noheadings --output NAME |"
                           " xargs -r -n1 losetup --detach")
            : "mkfs.exfat, mount.exfat-fuse or losetup is not installed";
  }
  return place;
}

inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every content of the regular files directly in the folders, sorted.
inline std::vector<std::string> ContentsIn(const std::vector<std::string>& folders) {
  std::vector<std::string> contents;
  for (const std::string& folder : folders) {
    for (const std::string& name : NamesIn(folder)) {
      struct stat info {};
      const std::string path = folder + "/" + name;
      if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) contents.push_back(ReadWholeFile(path));
    }
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

inline std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

inline std::vector<std::string> Numbered(const std::string& prefix, int count, const std::string& suffix) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i) + suffix);
  return names;
}

// "a 255-byte name" -> "A255ByteName": a test name from a sentence.
inline std::string Identifier(const std::string& sentence) {
  std::string identifier;
  bool upper = true;
  for (const char c : sentence) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (alnum) identifier += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    upper = !alnum;
  }
  return identifier;
}
