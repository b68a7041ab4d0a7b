// The system calls behind RenameFile and RemoveFile, replaceable so that a
// test can make a call fail the way a filesystem of another kind would
// (no RENAME_NOREPLACE, no hard links).
#pragma once

struct FileCalls {
  int (*renameNoReplace)(const char* from, const char* to);
  int (*link)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*rename)(const char* from, const char* to);
};

// renameat2(..., RENAME_NOREPLACE), link(2), unlink(2) and rename(2).
FileCalls SystemFileCalls();
extern FileCalls fileCalls;
