// Label texts of the numeric layouts: decimals, zero snapping, exponent labels,
// cuts, user texts, inscriptions, logarithmic and time-span labels.
#include "mivo/scale/scale_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mivo {
namespace {

TEST(ExtractUserText, FieldsAndIndicesBeyondTheLast) {
  struct Row {
    const char* Text;
    std::int32_t Index;
    const char* Expected;
  };
  for (const Row& r : std::vector<Row>{{"a|b|c", 1, "a"},
                                       {"a|b|c", 3, "c"},
                                       {"a|b|c", 5, "c"},
                                       {"a|b|", 2, "b"},
                                       {"a|b|", 3, ""},
                                       {"a|b|", 9, ""},
                                       {"", 1, ""},
                                       {"single", 4, "single"},
                                       {"|x", 1, ""},
                                       {"a|b", 0, "a"},
                                       {"a|b", -3, "a"}})
    EXPECT_EQ(ExtractUserText(r.Text, r.Index), r.Expected) << r.Text << " #" << r.Index;
}

TEST(AddScaleInscription, TemplateAndPrefix) {
  EXPECT_EQ(AddScaleInscription("12", "& V"), "12 V");
  EXPECT_EQ(AddScaleInscription("12", "x="), "x=12");
  EXPECT_EQ(AddScaleInscription("", "& V"), "");
  EXPECT_EQ(AddScaleInscription("12", ""), "12");
  EXPECT_EQ(AddScaleInscription("12", "[&] & m"), "[12] & m");
}

TEST(LinearDecimals, AutomaticChoice) {
  struct Row {
    double Lo, Hi;
    std::int32_t Dec, Expected;
  };
  for (const Row& r : std::vector<Row>{{-1, 1, -2, 2},
                                       {0, 50, -2, 0},
                                       {0, 200, -2, 0},
                                       {0, 2000000, -2, -1},
                                       {0, 1000000, -3, -1},
                                       {0, 0.0001, -2, -1},
                                       {0, 10, -2, 1},
                                       {0, 1, -3, 2},
                                       {0, 0.01, -2, 4},
                                       {50, 0, -2, 0},
                                       {0, 1, 5, 5},
                                       {0, 1, -1, -1},
                                       {0, 1, 0, 0}})
    EXPECT_EQ(LinearDecimals(r.Lo, r.Hi, r.Dec), r.Expected) << r.Lo << ".." << r.Hi << " dec " << r.Dec;
}

TEST(LinearNumberLabel, FormattingRows) {
  struct Row {
    double Lo, Hi;
    std::int32_t Dec;
    double Value;
    const char* Expected;
  };
  for (const Row& r : std::vector<Row>{
           {0, 10, -2, 1e-17, "0.0"},             // rounding noise is snapped to zero
           {-1, 1, -2, 0.5, "0.50"},
           {0, 50, -2, 20, "20"},
           {0, 2000000, -2, 1500, " 1.5E+03"},     // exponent labels
           {0, 2000000, -2, 0, "0.0"},             // wide-range zero
           {0, 500000, 0, 1e-12, "0"},
           {0, 1e-5, -2, 0, " 0.0E+00"},           // narrow-range zero keeps the format
           {0, 1e-5, -2, 5e-6, " 5.0E-06"},
           {0, 2e100, -1, 1e100, "********"},      // exponent of 100 or more
           {0, 10, 12, 123456.25, "123456.2500000"},  // cut to 14 characters
           {0, 2, 0, 0.5, ""},                     // DecPlaces 0: non-integers unlabelled
           {0, 2, 0, 1.0000000001, "1"},
           {0, 2, 0, 1.5, ""},
           {-5, 5, 1, -2.5, "-2.5"},
       })
    EXPECT_EQ(LinearNumberLabel(r.Value, {r.Lo, r.Hi, r.Dec, false, "", ""}), r.Expected)
        << r.Value << " on " << r.Lo << ".." << r.Hi << " dec " << r.Dec;
}

TEST(LogNumberLabel, DecimalsExponentsAndTrimming) {
  struct Row {
    double Lo, Hi;
    std::int32_t Dec;
    double Value, Decade;
    std::int32_t Mult;
    const char* Expected;
  };
  for (const Row& r : std::vector<Row>{
           {1, 10000, -3, 1000, 1000, 1, "3"},
           {1, 10000, -3, 1, 1, 1, "0"},
           {1, 10000, -3, 2000, 1000, 2, ""},
           {1, 10000, -3, 5, 1, 5, ""},
           {1, 1000, -2, 200, 100, 2, "200"},
           {0.01, 10, -2, 0.01, 0.01, 1, "0.01"},  // 3 decimals, trailing zeros removed
           {0.01, 10, -2, 0.5, 0.1, 5, "0.5"},
           {0.01, 10, -2, 2, 1, 2, "2"},
           {0.01, 10, 2, 2, 1, 2, "2.00"},        // fixed decimals keep their zeros
           {1, 1e7, -2, 1e6, 1e6, 1, " 1.0E+06"},  // exponent labels are not trimmed
           {0.001, 0.1, -1, 0.01, 0.01, 1, " 1.0E-02"},
       })
    EXPECT_EQ(LogNumberLabel(r.Value, r.Decade, r.Mult, {r.Lo, r.Hi, r.Dec, false, "", ""}), r.Expected)
        << r.Value << " dec " << r.Dec;
  EXPECT_EQ(LogDecimals(0.01, 10, -2), 3);
  EXPECT_EQ(LogDecimals(10, 1, -2), 0);
}

TEST(TimeSpanLabel, HoursMinutesSeconds) {
  struct Row {
    double Seconds;
    bool Millis;
    const char* Expected;
  };
  for (const Row& r : std::vector<Row>{{-60, false, "-00:01:00"},
                                       {0, false, " 00:00:00"},
                                       {60, false, " 00:01:00"},
                                       {3725.5, true, " 01:02:05.500"},
                                       {-0.25, true, "-00:00:00.250"},
                                       {360000, false, " 100:00:00"},
                                       {6.9999999999, false, " 00:00:07"},
                                       {-1e-17, true, " 00:00:00.000"},
                                       {0.3 - 1e-15, true, " 00:00:00.300"},
                                       // Beyond the milliseconds a double holds: the seconds stay.
                                       {-999999999999300, false, "-277777777777:35:00"},
                                       {-999999999999300, true, "-277777777777:35:00.000"},
                                       {4e15 + 1, false, " 1111111111111:06:40"}})
    EXPECT_EQ(TimeSpanLabel(r.Seconds, r.Millis), r.Expected) << r.Seconds;
}

std::vector<std::string> LongLabels(const TTickLayout& l) {
  std::vector<std::string> out;
  for (const auto& t : l.Ticks)
    if (t.Labelled) out.push_back(t.Label);
  return out;
}

TEST(LabelNumericTicks, UserTextsInscriptionsAndTimeSpans) {
  TTickInput in;
  in.RangeLow = 0;
  in.RangeHigh = 4;  // five long ticks 0 ... 4
  TTickLayout l = LinearTicks(in);
  TNumberLabelSettings s{0, 4, -2, true, "a|b|c", ""};
  LabelNumericTicks(l, s);
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"a", "b", "c", "c", "c"}));
  s.UserTickText = "a|b|";
  LabelNumericTicks(l, s);
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"a", "b", "", "", ""}));
  s = {0, 4, 0, false, "", "& V"};
  LabelNumericTicks(l, s);
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"0 V", "1 V", "2 V", "3 V", "4 V"}));

  in.RangeHigh = 2;
  in.MinTicks = 4;  // ticks every 0.5
  l = LinearTicks(in);
  LabelNumericTicks(l, {0, 2, 0, false, "", ""});
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"0", "", "1", "", "2"}));

  in = {};
  in.RangeLow = -90;
  in.RangeHigh = 90;
  ASSERT_TRUE(TimeSpanTicks(in, l));
  LabelNumericTicks(l, {-90, 90, 4, false, "", "x="});  // no inscriptions on time spans
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"-00:01:00", " 00:00:00", " 00:01:00"}));

  in = {};
  in.RangeLow = 1;
  in.RangeHigh = 10000;
  l = LogTicks(in);
  LabelNumericTicks(l, {1, 10000, -3, true, "a|b", ""});  // user texts count labelled log ticks
  EXPECT_EQ(LongLabels(l), (std::vector<std::string>{"a", "b", "b", "b", "b"}));
}

}  // namespace
}  // namespace mivo
