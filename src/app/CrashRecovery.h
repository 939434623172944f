#pragma once
#include <string>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

// The recovery file of one running copy of the program: the whole key-frame
// history, rewritten whole after every change to it, so a crash loses nothing
// that was previewed. Each copy has its own file and holds an exclusive lock
// beside it for as long as it runs; the kernel drops the lock when the process
// dies, however it dies, so a file whose lock can be taken is one a crashed
// copy left behind.
class CrashRecovery {
 public:
  // A file a copy that is no longer running left behind. The lock stays held
  // until release(), so no other start offers the same file meanwhile.
  struct Orphan {
    std::string statePath;
    std::string lockPath;
    int lockFd = -1;
  };

  // $XDG_STATE_HOME/quillaven, else ~/.local/state/quillaven.
  static std::string defaultFolder();

  // Takes this copy's lock in `folder` (made if missing). Without a folder to
  // write in, recovery is off and write() does nothing.
  explicit CrashRecovery(std::string folder);
  // A clean exit: the file and the lock go.
  ~CrashRecovery();
  CrashRecovery(const CrashRecovery&) = delete;
  CrashRecovery& operator=(const CrashRecovery&) = delete;

  bool active() const { return lockFd_ >= 0; }
  const std::string& statePath() const { return statePath_; }

  // Replaces the recovery file atomically; false when it could not be written.
  bool write(const std::vector<KeyFrame>& records);

  // Files of copies that are no longer running, oldest name first. Locks
  // without a file (a copy that crashed before its first change) are removed.
  std::vector<Orphan> takeOrphans();
  // Renames an orphan to crashed-YYYYMMDD-HHMMSS.kvt in the same folder;
  // returns the new path, empty when it could not be moved.
  static std::string moveAside(const Orphan& orphan);
  // Drops an orphan's lock (and its lock file); removes its state file when asked.
  static void release(Orphan& orphan, bool removeStateFile);

 private:
  std::string folder_;
  std::string statePath_;
  std::string lockPath_;
  int lockFd_ = -1;
};

}  // namespace quill
