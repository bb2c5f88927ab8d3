#include "mivo/platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "mivo/platform/errors.h"

namespace mivo {

TRegularFileReader::TRegularFileReader(const std::string& fileName) {
  // O_NONBLOCK makes the open itself return at once for a FIFO; a regular
  // file ignores the flag, which is cleared anyway before reading.
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    FFault = errno == EISDIR ? "is a directory" : "cannot be opened";
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
    FFault = S_ISDIR(st.st_mode) ? "is a directory" : "is not a regular file";
    ::close(fd);
    return;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    FFault = "cannot be opened";
    ::close(fd);
    return;
  }
  FFd = fd;
  FSize = std::uint64_t(st.st_size);
}

TRegularFileReader::~TRegularFileReader() {
  if (FFd >= 0) ::close(FFd);
}

bool TRegularFileReader::ReadExactly(void* data, std::size_t n) {
  if (FFd < 0) return false;
  auto* p = static_cast<std::uint8_t*>(data);
  while (n > 0) {
    const ssize_t got = ::read(FFd, p, n);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    n -= std::size_t(got);
  }
  return true;
}

bool TRegularFileReader::AtEnd() {
  std::uint8_t byte;
  for (;;) {
    const ssize_t got = ::read(FFd, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 0;
  }
}

std::vector<std::uint8_t> ReadRegularFile(const std::string& fileName, std::uint64_t maxSize,
                                          const std::string& what) {
  const auto fail = [&](const std::string& fault) { RaiseMivoError(what + " '" + fileName + "': " + fault); };
  TRegularFileReader in(fileName);
  if (!in.IsOpen()) fail(in.Fault());
  if (in.Size() > maxSize) fail("is too large (" + std::to_string(in.Size()) + " bytes)");
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(std::size_t(in.Size()));
  } catch (const std::bad_alloc&) {
    fail("not enough memory to read " + std::to_string(in.Size()) + " bytes");
  }
  if (!in.ReadExactly(bytes.data(), bytes.size())) fail("cannot be read");
  return bytes;
}

}  // namespace mivo
