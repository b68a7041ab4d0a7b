// Listing the files of a folder and the single-file operations.
// Folder texts use "/" as the separator; the empty folder text names no
// folder, so it lists nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class MainForm;

// An open directory search: the accepted names of one search, in natural
// order, handed out one at a time.
struct FindHandle {
  std::vector<std::string> names;
  std::size_t next = 0;
  bool open = false;
};

// The folder text followed by "/", unless it already ends in "/"; the empty
// folder text stays empty.
std::string SearchFolder(std::string_view folder);

// With a pattern path (search folder followed by a pattern such as "*.*"),
// starts a new search; with an empty one, continues the search in the handle.
// Gives the next name that is not a folder, or the empty text when there is
// none (the handle is then closed). A pattern path without a "/" names no
// folder and gives nothing.
std::string FindEntry(std::string_view patternPath, FindHandle& handle);
void EndFind(FindHandle& handle);

// Empties `names`, then appends the names of the folder's files that match
// each pattern of the "|"-separated list, giving the window system a turn
// after every name. Returns the number of names.
int EnumerateFiles(const MainForm& form, std::string_view folder, std::string_view patternList,
                   std::vector<std::string>& names);

// Refills 列表框1 with the names of the folder's files.
void ListFolder(MainForm& form, std::string_view folder);

// Renames without ever replacing anything; false when the new path exists,
// the old path names nothing, or the file system refuses.
bool RenameFile(const std::string& oldPath, const std::string& newPath);
// Unlinks a file for good; refuses folders and files without owner write
// permission.
bool RemoveFile(const std::string& path);

// The order of every listing: digit runs compare by value, ASCII letters
// without case, ties by plain bytes.
bool NaturalLess(std::string_view a, std::string_view b);
void SortNaturally(std::vector<std::string>& names);
