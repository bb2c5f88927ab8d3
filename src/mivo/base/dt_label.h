#pragma once
// TDTLabel: the date/time label settings of a scale. Each setter stores its
// value and, when the value changed, raises OnChange.

#include <cstdint>

#include "mivo/base/enums.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// 0: 24-hour with separator; 1: hours marked with "h"; 2: 12-hour with am/pm.
enum class TTimeFormat : std::uint8_t { tfHHMM, tfHHh, tfAMPM };
// 0: no year; 1: two digits; 2: four digits.
enum class TYearLength : std::uint8_t { ylNone, ylYY, ylYYYY };
// 0: month, day, year; 1: day, month, year; 2: year, month, day.
enum class TDateOrder : std::uint8_t { doMDY, doDMY, doYMD };
// 0: no date under time labels; 1: under the first labelled tick; 2: at the
// first labelled tick and whenever the day changes; 3: under every labelled tick.
enum class TDateForTime : std::uint8_t { dtNone, dtOnlyFirst, dtOnDayChange, dtAllTicks };

class TDTLabel : public TPersistent {
 public:
  std::string ClassName() const override { return "TDTLabel"; }

  TTimeFormat TimeFormat() const { return FTimeFormat; }
  char DateSeparator() const { return FDateSeparator; }
  char TimeSeparator() const { return FTimeSeparator; }
  TYearLength YearLength() const { return FYearLength; }
  bool MonthName() const { return FMonthName; }
  TDateOrder DateOrder() const { return FDateOrder; }
  TDateForTime DateForTime() const { return FDateForTime; }

  void SetTimeFormat(TTimeFormat v) { Store(FTimeFormat, v); }
  void SetDateSeparator(char v) { Store(FDateSeparator, v); }
  void SetTimeSeparator(char v) { Store(FTimeSeparator, v); }
  void SetYearLength(TYearLength v) { Store(FYearLength, v); }
  void SetMonthName(bool v) { Store(FMonthName, v); }
  void SetDAteOrder(TDateOrder v) { Store(FDateOrder, v); }
  void SetDateOrder(TDateOrder v) { SetDAteOrder(v); }
  void SetDateForTime(TDateForTime v) { Store(FDateForTime, v); }

  // Copies all six settings from another TDTLabel and notifies once if any changed.
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() {
    if (OnChange) OnChange(*this);
  }

 private:
  template <typename T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  TTimeFormat FTimeFormat = TTimeFormat::tfHHMM;
  char FDateSeparator = '-';
  char FTimeSeparator = ':';
  TYearLength FYearLength = TYearLength::ylYYYY;
  bool FMonthName = true;
  TDateOrder FDateOrder = TDateOrder::doDMY;
  TDateForTime FDateForTime = TDateForTime::dtOnDayChange;
};

}  // namespace mivo
MIVO_PUBLIC_END
