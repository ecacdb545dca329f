// An exclusive lock between processes around a read-modify-write of one file. Files are replaced
// atomically (a new inode each time), so the lock is held on a separate, hidden lock file beside
// the target: ".NAME.lock". The lock file stays; it holds nothing.
#pragma once

#include <filesystem>

namespace rxf {

class FileLock {
 public:
  // Waits until no other process holds the lock of target. Error names the lock file and the
  // system's reason when it cannot be created or locked.
  explicit FileLock(const std::filesystem::path& target);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace rxf
