#include "folder/folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "engine/text.h"
#include "folder/file_calls.h"
#include "ui/main_form.h"

namespace {

int RenameNoReplace(const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
  return renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
  constexpr unsigned kRenameNoReplace = 1;
  return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kRenameNoReplace));
#endif
}

// "*" stands for any run of characters, "?" for one character.
bool WildcardMatch(std::string_view name, std::string_view pattern) {
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t afterStar = kNone;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starName = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      n += CharLengthAt(name, n);
      ++p;
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++n;
      ++p;
    } else if (afterStar == kNone) {
      return false;
    } else {
      starName += CharLengthAt(name, starName);
      n = starName;
      p = afterStar;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// A final ".*" also matches a name without an extension, so "*.*" matches
// every name.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (WildcardMatch(name, pattern)) return true;
  return pattern.ends_with(".*") && WildcardMatch(name, pattern.substr(0, pattern.size() - 2));
}

bool IsFolderAt(int folderFd, const char* name, int flags) {
  struct stat info {};
  return fstatat(folderFd, name, &info, flags) == 0 && S_ISDIR(info.st_mode);
}

// Everything but folders and links to folders; a dangling link is a file.
bool IsFileEntry(int folderFd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_DIR:
      return false;
    case DT_LNK:
      return !IsFolderAt(folderFd, entry.d_name, 0);
    case DT_UNKNOWN: {
      struct stat info {};
      if (fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
      if (S_ISLNK(info.st_mode)) return !IsFolderAt(folderFd, entry.d_name, 0);
      return !S_ISDIR(info.st_mode);
    }
    default:
      return true;
  }
}

// The whole folder is read at once: a later rename in it cannot make a name
// show up twice or be missed.
std::vector<std::string> MatchingFileNames(const std::string& folder, std::string_view pattern) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  const int folderFd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (MatchesPattern(name, pattern) && IsFileEntry(folderFd, *entry)) names.emplace_back(name);
  }
  closedir(dir);
  SortNaturally(names);
  return names;
}

// Every name that FindEntry would give, one call after the other, taken
// from the search in one piece.
std::vector<std::string> FindAll(std::string_view patternPath) {
  FindHandle handle;
  std::string first = FindEntry(patternPath, handle);
  if (first.empty()) return {};
  std::vector<std::string> names = std::move(handle.names);
  names.front() = std::move(first);
  return names;
}

bool LacksHardLinks(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

}  // namespace

FileCalls SystemFileCalls() { return {RenameNoReplace, ::link, ::unlink, ::rename}; }
FileCalls fileCalls = SystemFileCalls();

std::string SearchFolder(std::string_view folder) {
  std::string search(folder);
  if (!search.empty() && search.back() != '/') search += '/';
  return search;
}

std::string FindEntry(std::string_view patternPath, FindHandle& handle) {
  if (!patternPath.empty()) {
    EndFind(handle);
    const std::size_t slash = patternPath.rfind('/');
    if (slash == std::string_view::npos) return {};
    handle.names = MatchingFileNames(std::string(patternPath.substr(0, slash + 1)),
                                     patternPath.substr(slash + 1));
    handle.open = !handle.names.empty();
  }
  if (!handle.open) return {};
  if (handle.next == handle.names.size()) {
    EndFind(handle);
    return {};
  }
  // Each name is handed out once.
  return std::move(handle.names[handle.next++]);
}

void EndFind(FindHandle& handle) { handle = FindHandle{}; }

int EnumerateFiles(const MainForm& form, std::string_view folder, std::string_view patternList,
                   std::vector<std::string>& names) {
  names.clear();
  // Copies: the pump may run handlers that rewrite the texts these views show.
  const std::string searchFolder = SearchFolder(folder);
  const std::vector<std::string> patterns = SplitText(patternList, "|");
  if (searchFolder.empty()) return 0;
  FindHandle handle;
  for (const std::string& pattern : patterns) {
    for (std::string name = FindEntry(searchFolder + pattern, handle); !name.empty();
         name = FindEntry({}, handle)) {
      names.push_back(std::move(name));
      form.ProcessPendingEvents();
    }
  }
  EndFind(handle);
  return static_cast<int>(names.size());
}

void ListFolder(MainForm& form, std::string_view folder) {
  form.列表框1.ClearItems();
  const std::string searchFolder = SearchFolder(folder);
  form.ProcessPendingEvents();
  std::vector<std::string> names = searchFolder.empty() ? std::vector<std::string>{}
                                                        : FindAll(searchFolder + "*.*");
  // One reset rather than an insert per name: a widget takes 100,000 names
  // at once.
  if (!names.empty() || form.列表框1.ItemCount() != 0) form.列表框1.SetItems(std::move(names));
}

bool RenameFile(const std::string& oldPath, const std::string& newPath) {
  struct stat info {};
  if (oldPath == newPath) return lstat(oldPath.c_str(), &info) == 0;
  const char* from = oldPath.c_str();
  const char* to = newPath.c_str();
  if (fileCalls.renameNoReplace(from, to) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The filesystem cannot rename without replacing: a hard link can't replace.
  if (fileCalls.link(from, to) == 0) {
    if (fileCalls.unlink(from) == 0) return true;
    fileCalls.unlink(to);
    return false;
  }
  if (!LacksHardLinks(errno)) return false;
  // No hard links either (vfat and the like). Looking before a plain rename
  // would leave a window in which a file created by another program is
  // replaced; an empty file of our own holds the name instead, and only it
  // is replaced.
  const int placeholder = open(to, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (placeholder < 0) return false;
  close(placeholder);
  if (fileCalls.rename(from, to) == 0) return true;
  fileCalls.unlink(to);
  return false;
}

bool RemoveFile(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  if (!S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0) return false;
  return fileCalls.unlink(path.c_str()) == 0;
}
