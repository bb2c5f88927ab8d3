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

TReplacingFile::TReplacingFile(const std::string& fileName, const std::string& what)
    : FFileName(fileName), FWhat(what) {
  std::error_code ec;
  if (fileName.empty()) Fail("no file name given", 0);
  if (std::filesystem::is_directory(fileName, ec)) Fail("is a directory", 0);
  std::string pattern = fileName + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FFd = ::mkstemp(name.data());
  if (FFd < 0) Fail("cannot be created", 0);
  FTempName = name.data();
}

TReplacingFile::~TReplacingFile() {
  if (FFd >= 0) ::close(FFd);
  if (!FTempName.empty()) ::unlink(FTempName.c_str());
}

void TReplacingFile::Fail(const std::string& fault, int err) {
  if (FFd >= 0) ::close(FFd);
  FFd = -1;
  if (!FTempName.empty()) ::unlink(FTempName.c_str());
  FTempName.clear();
  RaiseMivoError(FWhat + " '" + FFileName + "': " + (err == EISDIR ? "is a directory" : fault));
}

void TReplacingFile::Write(const std::uint8_t* data, std::size_t size) {
  if (FFd < 0) Fail("cannot be written", 0);
  if (!WriteAll(FFd, data, size)) Fail("cannot be written", errno);
}

void TReplacingFile::Commit() {
  if (FFd < 0) Fail("cannot be written", 0);
  if (::fchmod(FFd, NewFileMode()) != 0) Fail("cannot be written", errno);
  const int fd = FFd;
  FFd = -1;
  if (::close(fd) != 0) Fail("cannot be written", errno);
  if (std::rename(FTempName.c_str(), FFileName.c_str()) != 0) Fail("cannot be written", errno);
  FTempName.clear();
}

void WriteFileReplacing(const std::string& fileName, const std::uint8_t* data, std::size_t size,
                        const std::string& what) {
  TReplacingFile file(fileName, what);
  file.Write(data, size);
  file.Commit();
}

}  // namespace mivo
