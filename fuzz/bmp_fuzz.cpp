// libFuzzer target: TBitmap::LoadFromMemory on arbitrary bytes. A load either
// succeeds with a sane size or raises EMivoError and leaves the bitmap as it
// was; anything else (a crash, a sanitizer report, another exception) is a bug.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mivo::TBitmap bmp(2, 1);
  bmp.ScanLine(0)[0] = mivo::TRGB32{1, 2, 3, 4};
  try {
    bmp.LoadFromMemory(data, size, "fuzz.bmp");
    if (bmp.Width() <= 0 || bmp.Height() <= 0 || bmp.Width() > mivo::TBitmap::MaxSide ||
        bmp.Height() > mivo::TBitmap::MaxSide)
      std::abort();
  } catch (const mivo::EMivoError&) {
    if (bmp.Width() != 2 || bmp.Height() != 1 || !(bmp.ScanLine(0)[0] == mivo::TRGB32{1, 2, 3, 4})) std::abort();
  }
  return 0;
}
