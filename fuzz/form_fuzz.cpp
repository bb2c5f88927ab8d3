// libFuzzer target: reading a form file into a component with every kind of
// published property. A read either succeeds or raises EMivoError and leaves
// the component exactly as it was and out of the loading state; a successful
// read writes back to a text that reads again to the same values.
// The same text read as a form creates its components (TScale included) and
// paints each one, so stored settings reach the drawing code as well.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "mivo/scale/scale.h"

#include "form_fuzz_util.h"

namespace {

using namespace mivo;

enum class TKind : std::uint8_t { kA, kB, kC };

class TFuzzSub : public TPersistent {
 public:
  std::string ClassName() const override { return "TFuzzSub"; }
  double Value() const { return FValue; }
  void SetValue(double v) { FValue = v; }
  char Sep() const { return FSep; }
  void SetSep(char c) { FSep = c; }

 private:
  double FValue = 1.5;
  char FSep = '-';
};

class TFuzzComponent : public TCustomControl {
 public:
  explicit TFuzzComponent(TComponent* owner = nullptr) : TCustomControl(owner) {
    static const bool registered = Register();
    (void)registered;
  }
  std::string ClassName() const override { return "TFuzzComponent"; }
  std::int32_t Count() const { return FCount; }
  void SetCount(std::int32_t v) { FCount = v; }
  std::string Text() const { return FText; }
  void SetText(const std::string& s) { FText = s; }
  TKind Kind() const { return FKind; }
  void SetKind(TKind k) { FKind = k; }
  TFontStyles Styles() const { return FStyles; }
  void SetStyles(TFontStyles s) { FStyles = s; }
  std::uint16_t Word() const { return FWord; }
  void SetWord(std::uint16_t w) { FWord = w; }
  TFuzzSub& Sub() { return FSub; }

 private:
  static bool Register() {
    RegisterProperties<TFuzzSub>("TFuzzSub", {Prop("Value", &TFuzzSub::Value, &TFuzzSub::SetValue, 1.5),
                                              Prop("Sep", &TFuzzSub::Sep, &TFuzzSub::SetSep, '-')});
    return RegisterProperties<TFuzzComponent>(
        "TFuzzComponent", "TCustomControl",
        {Prop("Count", &TFuzzComponent::Count, &TFuzzComponent::SetCount, 0),
         Prop("Text", &TFuzzComponent::Text, &TFuzzComponent::SetText, std::string()),
         Prop("Kind", &TFuzzComponent::Kind, &TFuzzComponent::SetKind, TKind::kA).Range(0, 2),
         Prop("Styles", &TFuzzComponent::Styles, &TFuzzComponent::SetStyles, TFontStyles{}),
         Prop("Word", &TFuzzComponent::Word, &TFuzzComponent::SetWord, std::uint16_t(0)),
         SubObject("Sub", &TFuzzComponent::Sub)});
  }
  std::int32_t FCount = 0;
  std::string FText;
  TKind FKind = TKind::kA;
  TFontStyles FStyles;
  std::uint16_t FWord = 0;
  TFuzzSub FSub;
};

using fuzz::Loading;

// The text as one component's file.
void ReadAsComponent(std::string_view text) {
  TFuzzComponent c;
  const TJson before = PropertiesToJson(c);
  try {
    ReadComponentFromString(c, text, "fuzz.json");
  } catch (const EMivoError&) {
    if (PropertiesToJson(c) != before || Loading(c)) std::abort();
    return;
  }
  if (Loading(c)) std::abort();
  TFuzzComponent again;
  ReadComponentFromString(again, WriteComponentToString(c), "again.json");
  if (WriteComponentToString(again) != WriteComponentToString(c)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool scaleRegistered = (TScale::RegisterProperties(), true);
  (void)scaleRegistered;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadAsComponent(text);
  // A form is never a valid component file, so this runs whatever the first
  // read made of the text.
  fuzz::ReadFormAndPaint(text);
  return 0;
}
