#pragma once
// Opening a file for reading without ever blocking.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// A regular file opened for reading. Opening never waits: the file is opened
// without blocking and kept only when it is a regular file, so a FIFO with no
// writer, a device or a folder is refused at once instead of hanging the
// caller. Reads that follow are ordinary blocking reads of the regular file.
class TRegularFileReader {
 public:
  explicit TRegularFileReader(const std::string& fileName);
  TRegularFileReader(const TRegularFileReader&) = delete;
  TRegularFileReader& operator=(const TRegularFileReader&) = delete;
  ~TRegularFileReader();

  bool IsOpen() const { return FFd >= 0; }
  // Why the file is not open: "cannot be opened", "is a directory" or
  // "is not a regular file"; empty when it is open.
  const std::string& Fault() const { return FFault; }
  // The size the file had when it was opened.
  std::uint64_t Size() const { return FSize; }
  // Reads exactly n bytes; false on an error or when the file ends first.
  bool ReadExactly(void* data, std::size_t n);
  // True when no byte follows (the file has not grown since).
  bool AtEnd();

 private:
  int FFd = -1;
  std::uint64_t FSize = 0;
  std::string FFault;
};

// The whole of a regular file of at most maxSize bytes, opened as above. A
// failure raises EMivoError "<what> '<fileName>': <fault>".
std::vector<std::uint8_t> ReadRegularFile(const std::string& fileName, std::uint64_t maxSize,
                                          const std::string& what);

}  // namespace mivo
MIVO_PUBLIC_END
