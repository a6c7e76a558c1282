// Makes every file write of this process fail past `bytes` bytes, as a full disk does
// half-way through a file: write() then returns short and EFBIG instead of raising
// SIGXFSZ. The limit and the signal's disposition are restored when the scope ends.
#pragma once

#include <csignal>
#include <cstddef>
#include <sys/resource.h>

struct FileSizeLimit {
  rlimit saved{};
  void (*savedHandler)(int) = SIG_DFL;

  explicit FileSizeLimit(size_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved);
    savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};
