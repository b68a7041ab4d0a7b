// A real temporary folder for tests: files get distinct contents, so that a
// replaced file can never pass unnoticed.
#pragma once

#include <map>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

  // Creates a file whose content is its own name, unless a content is given.
  void AddFile(const std::string& name, const std::string& content = {});
  void AddFolder(const std::string& name);
  void AddSymlink(const std::string& name, const std::string& target);

  // The names of the entries directly in the folder, sorted bytewise.
  std::vector<std::string> Names() const;
  // Name -> content of every regular file directly in the folder.
  std::map<std::string, std::string> Contents() const;
  // Every content, sorted: what must survive any batch unchanged.
  std::vector<std::string> ContentMultiset() const;

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);
