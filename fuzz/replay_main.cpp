// Replays a fuzz target's inputs without libFuzzer: links with one *_fuzz.cpp
// and feeds every file of the folders (or files) named on the command line to
// its LLVMFuzzerTestOneInput, one call per file, in name order. The test suite
// runs each target over its seed corpus and its crash reproducers this way, so
// every input the fuzzers ever tripped on stays fixed under the normal compiler
// and sanitizers.
//
// An input that makes the target fail aborts (or trips a sanitizer) as it
// would under libFuzzer; the driver prints the file name first, so the log
// says which input it was. A path that does not exist or a file that cannot be
// read is an error, so a misspelt path cannot pass quietly; a folder may be
// empty (but for a .gitkeep) while no reproducer has been found.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The regular files of `arg` (itself, or a folder's files without hidden
// ones such as .gitkeep), sorted.
std::vector<fs::path> Inputs(const fs::path& arg) {
  std::vector<fs::path> files;
  if (fs::is_regular_file(arg)) {
    files.push_back(arg);
    return files;
  }
  for (const fs::directory_entry& e : fs::directory_iterator(arg))
    if (e.is_regular_file() && e.path().filename().string().front() != '.') files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s folder-or-file...\n", argv[0]);
    return 2;
  }
  std::size_t total = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> files;
    try {
      files = Inputs(argv[i]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
      return 1;
    }
    for (const fs::path& f : files) {
      std::vector<std::uint8_t> bytes;
      if (!ReadFile(f, bytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", f.c_str());
        return 1;
      }
      std::fprintf(stderr, "%s (%zu bytes)\n", f.c_str(), bytes.size());
      // A heap block of exactly the input's size, as libFuzzer passes it, so
      // ASan reports a read one byte past the end.
      const std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
      std::copy(bytes.begin(), bytes.end(), input.get());
      LLVMFuzzerTestOneInput(input.get(), bytes.size());
      ++total;
    }
  }
  std::fprintf(stderr, "%zu inputs ran\n", total);
  return 0;
}
