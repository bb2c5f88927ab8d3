#pragma once
// Files that misbehave: a FIFO nobody writes to, and a limit on the size of
// the files this process may write (a full disk, seen from inside).

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <future>
#include <string>

#include "mivo/platform/errors.h"

namespace mivo::test {

// A FIFO at `path` for the lifetime of the object.
class TFifo {
 public:
  explicit TFifo(std::string path) : FPath(std::move(path)) {
    ::unlink(FPath.c_str());
    FMade = ::mkfifo(FPath.c_str(), 0600) == 0;
  }
  TFifo(const TFifo&) = delete;
  TFifo& operator=(const TFifo&) = delete;
  ~TFifo() { ::unlink(FPath.c_str()); }
  bool Made() const { return FMade; }
  const std::string& Path() const { return FPath; }

  // Runs `read` (which is given the FIFO) and tells whether it returned within
  // a few seconds with no writer present. A reader that blocks is released by
  // opening the FIFO for writing and closing it again, so a failing test ends.
  bool ReturnsWithoutWriter(const std::function<void()>& read) const {
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
      done.get();
      return true;
    }
    for (;;) {
      const int fd = ::open(FPath.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      if (done.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) break;
    }
    try {
      done.get();
    } catch (...) {
    }
    return false;
  }

 private:
  std::string FPath;
  bool FMade = false;
};

// While it lives, no file of this process can grow beyond `bytes`: a write
// past the limit fails (SIGXFSZ is ignored meanwhile) as on a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(std::uint64_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit lim = FOld;
    lim.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &lim);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FOld);
    ::signal(SIGXFSZ, FOldHandler);
  }

 private:
  rlimit FOld{};
  sighandler_t FOldHandler = SIG_DFL;
};

// Writes "old picture" to `path`, then runs `write(path)` with a file-size
// limit of `limit` bytes: the write must raise EMivoError, and
// the old file must stay whole with no temporary file left beside it.
inline bool FailedWriteKeepsTheOldFile(const std::function<void(const std::string&)>& write, const std::string& path,
                                       std::uint64_t limit = 256) {
  { std::ofstream(path, std::ios::binary | std::ios::trunc) << "old picture"; }
  bool raised = false;
  {
    const TFileSizeLimit cap(limit);
    try {
      write(path);
    } catch (const EMivoError&) {
      raised = true;
    }
  }
  std::ifstream in(path, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::filesystem::path file(path);
  bool leftovers = false;
  for (const auto& e : std::filesystem::directory_iterator(file.parent_path())) {
    const std::string name = e.path().filename().string();
    leftovers |= name != file.filename().string() && name.rfind(file.filename().string(), 0) == 0;
  }
  std::filesystem::remove(file);
  return raised && kept == "old picture" && !leftovers;
}

}  // namespace mivo::test
