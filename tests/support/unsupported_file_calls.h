// The answers RenameFile gets from filesystems that lack RENAME_NOREPLACE,
// the renameat2 call, or hard links as well, so that its fallbacks run on any
// filesystem; the real calls do the rest.
#pragma once

#include <cerrno>

#include "folder/file_calls.h"

inline int NoReplaceUnsupported(const char*, const char*) {
  errno = EINVAL;
  return -1;
}
inline int Renameat2Missing(const char*, const char*) {
  errno = ENOSYS;
  return -1;
}
inline int HardLinksUnsupported(const char*, const char*) {
  errno = EPERM;
  return -1;
}

inline FileCalls WithoutRenameNoReplace() {
  FileCalls calls = SystemFileCalls();
  calls.renameNoReplace = NoReplaceUnsupported;
  return calls;
}
inline FileCalls WithoutRenameNoReplaceOrHardLinks() {
  FileCalls calls = WithoutRenameNoReplace();
  calls.link = HardLinksUnsupported;
  return calls;
}
