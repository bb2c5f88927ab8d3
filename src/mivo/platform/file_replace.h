#pragma once
// Saving a file without ever leaving a broken one behind.

#include <cstddef>
#include <cstdint>
#include <string>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Writes `size` bytes to fileName through a temporary file in the same folder
// that is renamed over fileName once it is complete. A failure (no such
// folder, disk full, fileName a folder ...) raises EMivoError
// "<what> '<fileName>': <fault>", removes the temporary file and leaves any
// previous fileName exactly as it was. The new file gets the permissions a
// freshly created file would get (0666 less the umask).
void WriteFileReplacing(const std::string& fileName, const std::uint8_t* data, std::size_t size,
                        const std::string& what);

// The same written piece by piece, for files made block by block: the
// temporary file is opened by the constructor, filled by Write and renamed
// over fileName by Commit. Faults raise as above; a file never committed
// (a fault, an exception of the caller's) is removed by the destructor and
// any previous fileName stays as it was.
class TReplacingFile {
 public:
  TReplacingFile(const std::string& fileName, const std::string& what);
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;
  void Write(const std::uint8_t* data, std::size_t size);
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& fault, int err);
  std::string FFileName, FWhat, FTempName;
  int FFd = -1;
};

}  // namespace mivo
MIVO_PUBLIC_END
