#include "mivo/platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "mivo/platform/errors.h"

namespace mivo {

namespace {

// The permissions open(…, 0666) would give: the umask can only be read by
// setting it, so it is set back at once.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mode_t(0666) & ~mask;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

}  // namespace

void WriteFileReplacing(const std::string& fileName, const std::uint8_t* data, std::size_t size,
                        const std::string& what) {
  const auto fail = [&](const std::string& fault) { RaiseMivoError(what + " '" + fileName + "': " + fault); };
  std::error_code ec;
  if (fileName.empty()) fail("no file name given");
  if (std::filesystem::is_directory(fileName, ec)) fail("is a directory");

  std::string pattern = fileName + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) fail("cannot be created");
  const std::string tempName(name.data());

  bool ok = WriteAll(fd, data, size);
  int err = ok ? 0 : errno;
  if (ok && ::fchmod(fd, NewFileMode()) != 0) {
    ok = false;
    err = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && std::rename(tempName.c_str(), fileName.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(tempName.c_str());
    fail(err == EISDIR ? "is a directory" : "cannot be written");
  }
}

}  // namespace mivo
