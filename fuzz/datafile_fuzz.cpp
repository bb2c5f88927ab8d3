// libFuzzer target: the chart's data-file loader (LoadData). The input is
// written to a file and loaded into a chart that already holds items, both
// replacing and appending. A refused file leaves the list exactly as it was;
// a loaded one holds one item per 104-byte record, saves and loads back to
// the same bytes, and paints.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_datafile.h"

namespace {

using namespace mivo;

using Bytes = std::vector<std::uint8_t>;

std::string ScratchName(const char* what) {
  return "/tmp/mivo_datafile_fuzz_" + std::to_string(::getpid()) + "_" + what;
}

bool WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

// The list as the file would store it.
Bytes Records(const TCustomRChart& c) {
  Bytes out(std::size_t(c.NumItems()) * kRecordSize);
  for (std::int32_t i = 0; i < c.NumItems(); ++i)
    EncodeChartItem(c.GetChartItem(i), out.data() + std::size_t(i) * kRecordSize);
  return out;
}

void LoadInto(const std::string& name, std::size_t size, bool append) {
  TCustomRChart c;
  c.SetBounds(0, 0, 160, 120);
  c.MarkAt(1, 2, 3);
  c.Line(0, 0, 5, 5);
  c.SetSuppressPaint(false);
  const Bytes before = Records(c);
  if (!c.LoadData(name, append)) {
    if (Records(c) != before) std::abort();
    return;
  }
  const std::size_t loaded = size / kRecordSize + (append ? 2 : 0);
  if (std::size_t(c.NumItems()) != loaded) std::abort();
  const std::string saved = ScratchName("saved");
  if (!c.SaveData(saved)) std::abort();
  TCustomRChart back;
  if (!back.LoadData(saved, false) || Records(back) != Records(c)) std::abort();
  std::remove(saved.c_str());
  c.AutoRange(1, 5);
  c.AutoRange(2, 5);
  c.ShowGraf();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = ScratchName("input");
  if (!WriteFile(name, data, size)) std::abort();
  LoadInto(name, size, false);
  LoadInto(name, size, true);
  std::remove(name.c_str());
  return 0;
}
