// A test scope in which every write beyond a size fails with EFBIG, as on a full disk.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace rxf::test {

class FileSizeLimitScope {
 public:
  explicit FileSizeLimitScope(rlim_t limit) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lowered = old_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimitScope() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimitScope(const FileSizeLimitScope&) = delete;
  FileSizeLimitScope& operator=(const FileSizeLimitScope&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

}  // namespace rxf::test
