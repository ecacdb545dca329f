#include "foundation/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;

fs::path LockFileOf(const fs::path& target) {
  return target.parent_path() / ("." + target.filename().string() + ".lock");
}

[[noreturn]] void ThrowLockError(const fs::path& lockFile, int errorNumber) {
  throw Error(std::string("Не удалось заблокировать файл «"_w) + PathForMessage(lockFile) +
              std::string("»: "_w) + std::strerror(errorNumber));
}

}  // namespace

FileLock::FileLock(const fs::path& target) {
  const fs::path lockFile = LockFileOf(target);
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0)
    ThrowLockError(lockFile, errno);
  int locked;
  do {
    locked = ::flock(fd_, LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const int errorNumber = errno;
    ::close(fd_);
    ThrowLockError(lockFile, errorNumber);
  }
}

FileLock::~FileLock() {
  // Closing the descriptor releases the lock.
  ::close(fd_);
}

}  // namespace rxf
