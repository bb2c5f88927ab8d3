// The compact display-list store: records in and out, interning of drawing
// states, removal, and the handles that charts share.
#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

namespace mivo::detail {

namespace {

bool ZeroBits(double v) { return std::bit_cast<std::uint64_t>(v) == 0; }

// No second point, text, size or angle: nothing the side store would hold.
bool IsPlainRecord(const TrcChartItem& it) {
  if (!ZeroBits(it.x2) || !ZeroBits(it.y2) || it.SizeOrAngle != 0 || it.DepthOrAngle != 0 || it.Text.Length != 0)
    return false;
  for (const char c : it.Text.Chars)
    if (c != 0) return false;
  return true;
}

TItemStyle StyleOf(const TrcChartItem& it) {
  TItemStyle s;
  s.Color = it.Color;
  s.FillColor = it.FillColor;
  s.ShadowColor = it.ShadowColor;
  s.HiLightColor = it.HiLightColor;
  s.Tag = it.Tag;
  s.LWid = it.LWid;
  s.PenStyle = it.PenStyle;
  s.Transp = it.Transp;
  s.FrameStyle = it.FrameStyle;
  return s;
}

std::size_t Mix(std::size_t h, std::uint64_t v) {
  h ^= std::size_t(v) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h;
}

}  // namespace

std::size_t TItemStore::TStyleHash::operator()(const TItemStyle& s) const {
  std::size_t h = 0;
  h = Mix(h, std::uint64_t(s.Color) << 32 | s.FillColor);
  h = Mix(h, std::uint64_t(s.ShadowColor) << 32 | s.HiLightColor);
  h = Mix(h, std::uint64_t(std::uint32_t(s.Tag)) << 32 | std::uint32_t(s.LWid));
  h = Mix(h, std::uint64_t(s.PenStyle) << 16 | std::uint64_t(s.Transp) << 8 | std::uint64_t(s.FrameStyle));
  return h;
}

void TItemStore::Reserve(std::size_t n) {
  if (n <= Capacity()) return;
  const std::size_t cap = std::max({n, 2 * Capacity(), std::size_t(16)});
  if (cap > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  // Each array grows on its own; one that fails leaves the sizes untouched.
  FX.reserve(cap);
  FY.reserve(cap);
  FHeads.reserve(cap);
}

std::uint32_t TItemStore::Intern(const TItemStyle& s) {
  if (FLastStyle < FStyles.size() && FStyles[FLastStyle] == s) return FLastStyle;
  const auto found = FStyleIndex.find(s);
  if (found != FStyleIndex.end()) return FLastStyle = found->second;
  if (FStyles.size() >= kExtraBit) throw std::bad_alloc();
  const auto ix = std::uint32_t(FStyles.size());
  FStyles.push_back(s);
  try {
    FStyleIndex.emplace(s, ix);
  } catch (...) {
    FStyles.pop_back();
    throw;
  }
  return FLastStyle = ix;
}

void TItemStore::Release(std::uint32_t ref) {
  if (ref & kExtraBit) --FLiveExtras;
}

TrcChartItem TItemStore::Get(std::size_t i) const {
  TrcChartItem it;
  const TItemHead& h = FHeads[i];
  it.x = FX[i];
  it.y = FY[i];
  it.ItemKind = h.Kind;
  it.Layer = h.Layer;
  it.ItemClass = h.Class;
  it.MarkOrAlign = h.Mark;
  std::uint32_t style = h.Ref;
  if (h.Ref & kExtraBit) {
    const TItemExtra& e = FExtras[h.Ref & ~kExtraBit];
    it.x2 = e.x2;
    it.y2 = e.y2;
    it.Text = e.Text;
    it.SizeOrAngle = e.SizeOrAngle;
    it.DepthOrAngle = e.DepthOrAngle;
    style = e.Style;
  }
  const TItemStyle& s = FStyles[style];
  it.Color = s.Color;
  it.FillColor = s.FillColor;
  it.ShadowColor = s.ShadowColor;
  it.HiLightColor = s.HiLightColor;
  it.Tag = s.Tag;
  it.LWid = s.LWid;
  it.PenStyle = s.PenStyle;
  it.Transp = s.Transp;
  it.FrameStyle = s.FrameStyle;
  return it;
}

void TItemStore::Set(std::size_t i, const TrcChartItem& it) {
  const bool append = i == Size();
  if (append) Reserve(i + 1);
  const std::uint32_t style = Intern(StyleOf(it));
  std::uint32_t ref = style;
  const std::uint32_t old = append ? 0 : FHeads[i].Ref;
  if (!IsPlainRecord(it)) {
    const TItemExtra e{it.x2, it.y2, it.Text, it.SizeOrAngle, it.DepthOrAngle, style};
    if (old & kExtraBit) {
      // The slot's own side record takes the new fields.
      FExtras[old & ~kExtraBit] = e;
      ref = old;
    } else {
      if (FExtras.size() >= kExtraBit) throw std::bad_alloc();
      FExtras.push_back(e);
      ref = std::uint32_t(FExtras.size() - 1) | kExtraBit;
      ++FLiveExtras;
    }
  } else {
    Release(old);
  }
  const TItemHead h{it.ItemKind, std::uint8_t(it.Layer), it.ItemClass, it.MarkOrAlign, ref};
  if (append) {
    // Within the reserved capacity: these do not allocate.
    FX.push_back(it.x);
    FY.push_back(it.y);
    FHeads.push_back(h);
    NoteAppended(i);
  } else {
    FX[i] = it.x;
    FY[i] = it.y;
    FHeads[i] = h;
    SegmentsChanged();
  }
}

// ---------------------------------------------------------------- segments

namespace {

// The most segment starts kept for n slots.
std::size_t BreakLimit(std::size_t n) { return n / 8 + 1024; }

}  // namespace

bool TItemStore::StartsSegment(std::size_t i) const {
  const TItemHead &a = FHeads[i - 1], &b = FHeads[i];
  return a.Kind != b.Kind || a.Layer != b.Layer || a.Class != b.Class || a.Ref != b.Ref || !(FX[i] >= FX[i - 1]);
}

void TItemStore::NoteAppended(std::size_t i) {
  if (!FBreaksValid || FManyBreaks || i == 0 || !StartsSegment(i)) return;
  if (FBreaks.size() >= BreakLimit(i + 1)) {
    FManyBreaks = true;
    std::vector<std::uint32_t>().swap(FBreaks);
    return;
  }
  try {
    FBreaks.push_back(std::uint32_t(i));
  } catch (const std::bad_alloc&) {
    FBreaksValid = false;  // rebuilt, or given up, when next asked
  }
}

void TItemStore::RebuildBreaks() const {
  FBreaks.clear();
  FManyBreaks = false;
  FBreaksValid = true;
  const std::size_t limit = BreakLimit(Size());
  try {
    for (std::size_t i = 1; i < Size(); ++i) {
      if (!StartsSegment(i)) continue;
      if (FBreaks.size() >= limit) {
        FManyBreaks = true;
        break;
      }
      FBreaks.push_back(std::uint32_t(i));
    }
  } catch (const std::bad_alloc&) {
    FManyBreaks = true;
  }
  if (FManyBreaks) std::vector<std::uint32_t>().swap(FBreaks);
}

std::size_t TItemStore::SegmentEnd(std::size_t i) const {
  if (!FBreaksValid) RebuildBreaks();
  if (FManyBreaks) return 0;
  const auto next = std::upper_bound(FBreaks.begin(), FBreaks.end(), std::uint32_t(i));
  return next == FBreaks.end() ? Size() : std::size_t(*next);
}

void TItemStore::Truncate(std::size_t n) {
  if (n >= Size()) return;
  for (std::size_t r = n; r < Size(); ++r) Release(FHeads[r].Ref);
  FX.resize(n);
  FY.resize(n);
  FHeads.resize(n);
  CollectExtras();
  if (FBreaksValid && !FManyBreaks)
    FBreaks.erase(std::lower_bound(FBreaks.begin(), FBreaks.end(), std::uint32_t(n)), FBreaks.end());
  else
    SegmentsChanged();
}

void TItemStore::Erase(std::size_t i) {
  if (i >= Size()) return;
  Release(FHeads[i].Ref);
  FX.erase(FX.begin() + std::ptrdiff_t(i));
  FY.erase(FY.begin() + std::ptrdiff_t(i));
  FHeads.erase(FHeads.begin() + std::ptrdiff_t(i));
  CollectExtras();
  SegmentsChanged();
}

void TItemStore::CollectExtras() {
  if (FExtras.size() < 64 || 2 * FLiveExtras >= FExtras.size()) return;
  std::vector<TItemExtra> kept;
  try {
    kept.reserve(FLiveExtras);
  } catch (const std::bad_alloc&) {
    return;  // they stay until a later removal finds the memory
  }
  for (TItemHead& h : FHeads) {
    if (!(h.Ref & kExtraBit)) continue;
    kept.push_back(FExtras[h.Ref & ~kExtraBit]);
    h.Ref = std::uint32_t(kept.size() - 1) | kExtraBit;
  }
  FExtras.swap(kept);
  FLiveExtras = FExtras.size();
}

std::unique_ptr<TItemStore> TItemStore::Copy(std::size_t n, std::size_t capacity) const {
  n = std::min(n, Size());
  auto s = std::make_unique<TItemStore>();
  s->Reserve(std::max(n, capacity));
  s->FX.assign(FX.begin(), FX.begin() + std::ptrdiff_t(n));
  s->FY.assign(FY.begin(), FY.begin() + std::ptrdiff_t(n));
  s->FHeads.assign(FHeads.begin(), FHeads.begin() + std::ptrdiff_t(n));
  s->FStyles = FStyles;
  s->FStyleIndex = FStyleIndex;
  s->FLastStyle = FLastStyle;
  // Only the side records the copied slots refer to.
  for (TItemHead& h : s->FHeads) {
    if (!(h.Ref & kExtraBit)) continue;
    s->FExtras.push_back(FExtras[h.Ref & ~kExtraBit]);
    h.Ref = std::uint32_t(s->FExtras.size() - 1) | kExtraBit;
  }
  s->FLiveExtras = s->FExtras.size();
  s->SegmentsChanged();
  return s;
}

std::size_t TItemStore::MemoryBytes() const {
  return FX.capacity() * sizeof(double) + FY.capacity() * sizeof(double) + FHeads.capacity() * sizeof(TItemHead) +
         FStyles.capacity() * sizeof(TItemStyle) +
         FStyleIndex.size() * (sizeof(TItemStyle) + sizeof(std::uint32_t) + 2 * sizeof(void*)) +
         FStyleIndex.bucket_count() * sizeof(void*) + FExtras.capacity() * sizeof(TItemExtra) +
         FBreaks.capacity() * sizeof(std::uint32_t);
}

// ---------------------------------------------------------------- handles

TItemBuffer::~TItemBuffer() = default;

TItemStore& TItemBuffer::Store() {
  if (!FStore) FStore = std::make_shared<TItemStore>();
  return *FStore;
}

std::size_t TItemBuffer::Capacity() const { return FStore ? FStore->Capacity() : 0; }

void TItemBuffer::Reserve(std::size_t n) {
  if (n <= Capacity()) return;
  std::shared_ptr<TItemStore> store = FStore ? FStore : std::make_shared<TItemStore>();
  store->Reserve(n);
  FStore = std::move(store);
}

void TItemBuffer::Clear() { FStore.reset(); }

void TItemBuffer::Swap(TItemBuffer& other) noexcept { std::swap(FStore, other.FStore); }

void TItemBuffer::MakeOwn(std::size_t n, std::size_t capacity) {
  n = FStore ? std::min(n, FStore->Size()) : 0;
  capacity = std::max(capacity, n);
  if (capacity == 0) {
    FStore.reset();
    return;
  }
  std::shared_ptr<TItemStore> own = FStore ? FStore->Copy(n, capacity) : std::make_shared<TItemStore>();
  if (!FStore) own->Reserve(capacity);
  FStore = std::move(own);
}

}  // namespace mivo::detail
