#include "documents/move_order_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/paths.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr int kLastSuffix = 10000;

std::string BaseName(const fs::path& file) {
  constexpr std::string_view kReplaced = "\\/:*?,;\"`!(){}[]<>|%'.";
  std::string base = ExtractFilePart(Utf8ForMessage(file.filename().string()), false, true, false);
  for (char& c : base)
    if (kReplaced.find(c) != std::string_view::npos)
      c = '_';
  return base;
}

fs::path Candidate(const fs::path& folder, const std::string& base, int suffix) {
  const std::string name = suffix == 0 ? base : base + "~" + std::to_string(suffix);
  return folder / DiskPath(name + ".rfo");
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, reporting what close reports: a write may fail only then.
  int Close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

 private:
  int fd_;
};

int CopyContent(int from, int to) {
  std::array<char, 1 << 16> buffer;
  for (;;) {
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return errno;
    if (got == 0)
      return 0;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR)
        continue;
      if (put < 0)
        return errno;
      done += put;
    }
  }
}

// Across file systems: a copy into a target that must not exist yet, brought to the disk before
// the source goes. Any failure removes the copy, so the file stays whole in one place. 0 or errno.
int CopyThenRemove(const fs::path& from, const fs::path& to) {
  FileDescriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.Get() < 0)
    return errno;
  struct stat status {};
  if (::fstat(source.Get(), &status) != 0)
    return errno;
  FileDescriptor target(
      ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 07777));
  if (target.Get() < 0)
    return errno;
  int error = CopyContent(source.Get(), target.Get());
  if (error == 0 && ::fsync(target.Get()) != 0)
    error = errno;
  if (const int closeError = target.Close(); error == 0)
    error = closeError;
  if (error == 0 && ::unlink(from.c_str()) != 0)
    error = errno;
  if (error != 0)
    ::unlink(to.c_str());
  return error;
}

// 0 or errno; EEXIST when the target is taken.
int MoveNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno == EXDEV)
    return CopyThenRemove(from, to);
  if (errno != EINVAL && errno != ENOSYS)
    return errno;
  // A file system without the no-replace rename: a hard link fails on a taken name as well.
  if (::link(from.c_str(), to.c_str()) != 0)
    return errno == EXDEV ? CopyThenRemove(from, to) : errno;
  if (::unlink(from.c_str()) != 0) {
    const int error = errno;
    ::unlink(to.c_str());
    return error;
  }
  return 0;
}

void SyncFolder(const fs::path& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0)
    ::fsync(fd.Get());
}

}  // namespace

std::optional<fs::path> MoveOrderFile(const fs::path& file, const fs::path& folder) {
  if (folder.empty())
    return std::nullopt;
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  const std::string base = BaseName(file);
  for (int suffix = 0;; ++suffix) {
    const fs::path target = Candidate(folder, base, suffix);
    const int error = MoveNoReplace(file, target);
    if (error == 0) {
      SyncFolder(folder);
      return target;
    }
    if (error != EEXIST || suffix == kLastSuffix)
      throw Error(Format("Ошибка %d переноса файла\r\n%s\r\nв %s!"_w, error, PathForMessage(file),
                         PathForMessage(target)));
  }
}

}  // namespace rxf
