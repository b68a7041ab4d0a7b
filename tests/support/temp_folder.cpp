#include "tests/support/temp_folder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/renamer-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Give back write permission a test may have taken away, then remove all.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      chmod(it->path().c_str(), 0700);
    }
  }
  chmod(path_.c_str(), 0700);
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::AddFile(const std::string& name, const std::string& content) {
  std::ofstream out(PathOf(name), std::ios::binary);
  if (!out) throw std::runtime_error("cannot create " + name);
  out << (content.empty() ? name : content);
}

void TempFolder::AddFolder(const std::string& name) {
  if (mkdir(PathOf(name).c_str(), 0700) != 0) throw std::runtime_error("mkdir " + name);
}

void TempFolder::AddSymlink(const std::string& name, const std::string& target) {
  if (symlink(target.c_str(), PathOf(name).c_str()) != 0) {
    throw std::runtime_error("symlink " + name);
  }
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  if (DIR* dir = opendir(path_.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> TempFolder::Contents() const {
  std::map<std::string, std::string> contents;
  for (const std::string& name : Names()) {
    struct stat info {};
    if (lstat(PathOf(name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      contents[name] = ReadWholeFile(PathOf(name));
    }
  }
  return contents;
}

std::vector<std::string> TempFolder::ContentMultiset() const {
  std::vector<std::string> contents;
  for (const auto& [name, content] : Contents()) contents.push_back(content);
  std::sort(contents.begin(), contents.end());
  return contents;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
