#include "foundation/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowSystemError(int error_number = errno) {
  throw std::system_error(error_number, std::generic_category());
}

// A file name in a message: Windows-1251, a character without a form shown as '?'.
std::string NameForMessage(const fs::path& path) {
  const std::string utf8 = path.string();
  std::string name;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1251::DecodeUtf8(utf8, pos);
    const int byte = cp < 0 ? -1 : cp1251::ByteOf(static_cast<char32_t>(cp));
    if (cp < 0)
      ++pos;
    name += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return name;
}

Error FileError(std::string_view failure, const fs::path& path, const std::system_error& reason) {
  return Error(std::string(failure) + std::string(" «"_w) + NameForMessage(path) +
               std::string("»: "_w) + reason.code().message());
}

// Six random letters and digits: the unique part of a temporary file's name.
std::string RandomSuffix() {
  static constexpr std::string_view kAlphabet =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string suffix(6, ' ');
  for (char& c : suffix)
    c = kAlphabet[pick(generator)];
  return suffix;
}

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// ".order.rfo.Ab3xZ9" beside "order.rfo": hidden, and unique by its random part.
fs::path TemporaryPathFor(const fs::path& target) {
  std::string name(1, '.');
  name += target.filename().string();
  name += '.';
  name += RandomSuffix();
  return FolderOf(target) / name;
}

// A new file beside the target, removed again unless it has taken the target's place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : target_(target) {
    if (!target.has_filename())
      ThrowSystemError(EISDIR);
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts && fd_ < 0; ++attempt) {
      path_ = TemporaryPathFor(target);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd_ < 0 && errno != EEXIST)
        break;
    }
    if (fd_ < 0) {
      const int error_number = errno;
      path_.clear();
      ThrowSystemError(error_number);
    }
  }
  ~TemporaryFile() {
    if (fd_ >= 0)
      ::close(fd_);
    if (!path_.empty())
      ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // A replaced file keeps its permission bits; a new one keeps 0644 less the umask.
  void TakeModeOfTarget() {
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && ::fchmod(fd_, old.st_mode & 07777) != 0)
      ThrowSystemError();
  }

  void WriteAll(std::string_view content) {
    while (!content.empty()) {
      const ssize_t written = ::write(fd_, content.data(), content.size());
      if (written < 0 && errno == EINTR)
        continue;
      if (written < 0)
        ThrowSystemError();
      content.remove_prefix(static_cast<std::size_t>(written));
    }
  }

  void SyncAndClose() {
    if (::fsync(fd_) != 0)
      ThrowSystemError();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
      ThrowSystemError();
  }

  void ReplaceTarget() {
    if (::rename(path_.c_str(), target_.c_str()) != 0)
      ThrowSystemError();
    path_.clear();
  }

 private:
  fs::path target_;
  fs::path path_;
  int fd_ = -1;
};

// Makes the rename itself durable: the folder's entry list reaches the disk.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    ThrowSystemError();
  const int synced = ::fsync(fd);
  const int error_number = errno;
  ::close(fd);
  if (synced != 0)
    ThrowSystemError(error_number);
}

void ReplaceFile(const fs::path& path, std::string_view content) {
  TemporaryFile temporary(path);
  temporary.TakeModeOfTarget();
  temporary.WriteAll(content);
  temporary.SyncAndClose();
  temporary.ReplaceTarget();
  SyncFolder(FolderOf(path));
}

// Closes the descriptor on every exit.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const fs::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0)
      ThrowSystemError();
  }
  ~ReadOnlyFile() { ::close(fd_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Reads to the end, whatever the size said beforehand: the file may grow meanwhile.
  std::string ReadAll() {
    std::string content;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_size > 0)
      content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[64 * 1024];
    for (;;) {
      const ssize_t count = ::read(fd_, buffer, sizeof buffer);
      if (count < 0 && errno == EINTR)
        continue;
      if (count < 0)
        ThrowSystemError();
      if (count == 0)
        return content;
      content.append(buffer, static_cast<std::size_t>(count));
    }
  }

 private:
  int fd_;
};

}  // namespace

void WriteFileAtomically(const fs::path& path, std::string_view content) {
  try {
    ReplaceFile(path, content);
  } catch (const std::system_error& reason) {
    throw FileError("Не удалось сохранить файл"_w, path, reason);
  }
}

std::string ReadWholeFile(const fs::path& path) {
  try {
    return ReadOnlyFile(path).ReadAll();
  } catch (const std::system_error& reason) {
    throw FileError("Не удалось прочитать файл"_w, path, reason);
  }
}

}  // namespace rxf
