#include "mivo/platform/properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "mivo/platform/colors.h"

namespace mivo {
namespace {

namespace fs = std::filesystem;

enum class TShape : std::uint8_t { shSquare, shCircle, shTriangle };

class TSubSettings : public TPersistent {
 public:
  std::string ClassName() const override { return "TSubSettings"; }
  std::int32_t Level() const { return FLevel; }
  void SetLevel(std::int32_t v) { FLevel = v; }
  const std::string& Label() const { return FLabel; }
  void SetLabel(const std::string& s) { FLabel = s; }

 private:
  std::int32_t FLevel = 2;
  std::string FLabel = "sub";
};

class TWidget : public TCustomControl {
 public:
  std::vector<std::string> Log;

  explicit TWidget(TComponent* owner = nullptr) : TCustomControl(owner) {
    static const bool registered = Register();
    (void)registered;
    SetBounds(0, 0, 120, 40);
    SetColor(clWhite);
  }
  std::string ClassName() const override { return "TWidget"; }

  std::int32_t Count() const { return FCount; }
  void SetCount(std::int32_t v) { Note("Count"); FCount = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { Note("Ratio"); FRatio = v; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool b) { Note("Flag"); FFlag = b; }
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& s) { Note("Caption"); FCaption = s; }
  TShape Shape() const { return FShape; }
  void SetShape(TShape s) { Note("Shape"); FShape = s; }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor c) { Note("LineColor"); FLineColor = c; }
  char Separator() const { return FSeparator; }
  void SetSeparator(char c) { Note("Separator"); FSeparator = c; }
  std::uint8_t Small() const { return FSmall; }
  void SetSmall(std::uint8_t v) { FSmall = v; }
  TSubSettings& Settings() { return FSettings; }
  void SetFont(const TFont& f) override { Note("Font"); TCustomControl::SetFont(f); }

  void Loaded() override {
    Log.push_back("Loaded");
    TCustomControl::Loaded();
  }

 private:
  static bool Register() {
    RegisterProperties<TSubSettings>("TSubSettings",
                                     {Prop("Level", &TSubSettings::Level, &TSubSettings::SetLevel, 2),
                                      Prop("Label", &TSubSettings::Label, &TSubSettings::SetLabel, std::string("sub"))});
    return RegisterProperties<TWidget>(
        "TWidget", "TCustomControl",
        {
            Prop("Count", &TWidget::Count, &TWidget::SetCount, 3),
            Prop("Ratio", &TWidget::Ratio, &TWidget::SetRatio, 0.5),
            Prop("Flag", &TWidget::Flag, &TWidget::SetFlag, false),
            Prop("Caption", &TWidget::Caption, &TWidget::SetCaption, std::string("Widget")),
            Prop("Shape", &TWidget::Shape, &TWidget::SetShape, TShape::shCircle).Range(0, 2),
            Prop("LineColor", &TWidget::LineColor, &TWidget::SetLineColor, clRed),
            Prop("Separator", &TWidget::Separator, &TWidget::SetSeparator, ':'),
            Prop("Small", &TWidget::Small, &TWidget::SetSmall, std::uint8_t(7)),
            SubObject("Settings", &TWidget::Settings),
            NewDefault("Width", 120),
            NewDefault("Height", 40),
            NewDefault("Color", clWhite),
        });
  }
  void Note(const char* what) {
    const bool loading = ComponentState().Contains(TComponentStateItem::csLoading);
    Log.push_back(std::string(what) + (loading ? " (loading)" : ""));
  }
  std::int32_t FCount = 3;
  double FRatio = 0.5;
  bool FFlag = false;
  std::string FCaption = "Widget";
  TShape FShape = TShape::shCircle;
  TColor FLineColor = clRed;
  char FSeparator = ':';
  std::uint8_t FSmall = 7;
  TSubSettings FSettings;
};

fs::path OutputDir(const std::string& name) {
  const char* env = std::getenv("MIVO_TEST_OUTPUT");
  fs::path dir = fs::path(env ? env : fs::temp_directory_path().string()) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(Properties, FreshComponentHasOnlyDefaults) {
  TWidget w;
  EXPECT_TRUE(CheckDefaults(w).empty()) << ::testing::PrintToString(CheckDefaults(w));
  EXPECT_EQ(PropertiesToJson(w), TJson::object());
  w.SetCount(4);
  w.Settings().SetLabel("x");
  w.SetWidth(10);
  EXPECT_EQ(CheckDefaults(w), (std::vector<std::string>{"Width", "Count", "Settings.Label"}));
}

TEST(Properties, InheritedFirstWithOverriddenDefaults) {
  TWidget w;  // registers
  const std::vector<TPropInfo> props = ClassProperties("TWidget");
  std::vector<std::string> names;
  for (const TPropInfo& p : props) names.push_back(p.Name);
  ASSERT_GE(names.size(), 5u);
  EXPECT_EQ(names[0], "Left");
  EXPECT_EQ(names[2], "Width");
  EXPECT_EQ(names.back(), "Settings");
  EXPECT_EQ(props[2].Default, 120);
  EXPECT_EQ(ClassProperties("TControl")[2].Default, 0);
  EXPECT_THROW(ClassProperties("TNoSuchClass"), EMivoError);
}

TEST(Properties, RoundTripStoresOnlyChangedValuesInRegistrationOrder) {
  TWidget a;
  a.SetName("Widget1");
  a.SetCount(-17);
  a.SetRatio(1.0 / 3.0);
  a.SetFlag(true);
  a.SetCaption("Überschrift \"quoted\"");
  a.SetShape(TShape::shTriangle);
  a.SetLineColor(clBtnShadow);
  a.SetSeparator('/');
  TFont f;
  f.Name = "DejaVu Serif";
  f.Size = 12;
  f.Style = {TFontStyle::fsBold, TFontStyle::fsItalic};
  f.Color = clNavy;
  a.SetFont(f);
  a.Settings().SetLevel(9);
  a.SetBounds(5, 6, 300, 200);

  const std::string text = WriteComponentToString(a);
  const TJson j = TJson::parse(text);
  EXPECT_EQ(j["class"], "TWidget");
  EXPECT_EQ(j["name"], "Widget1");
  EXPECT_FALSE(j["properties"].contains("Small"));
  EXPECT_FALSE(j["properties"].contains("Visible"));
  EXPECT_EQ(j["properties"]["Settings"], (TJson{{"Level", 9}}));
  EXPECT_EQ(j["properties"]["Font"]["Style"], 3);

  TWidget b;
  b.Log.clear();
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.Name(), "Widget1");
  EXPECT_EQ(PropertiesToJson(b), PropertiesToJson(a));
  EXPECT_EQ(b.Ratio(), 1.0 / 3.0);
  EXPECT_EQ(b.Font(), f);
  EXPECT_EQ(b.Settings().Level(), 9);
  EXPECT_EQ(b.Left(), 5);
  EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
  const std::vector<std::string> expected = {"Font (loading)",  "Count (loading)",     "Ratio (loading)",
                                             "Flag (loading)",  "Caption (loading)",   "Shape (loading)",
                                             "LineColor (loading)", "Separator (loading)", "Loaded"};
  EXPECT_EQ(b.Log, expected);
}

TEST(Properties, SingleByteCharactersAndInvalidUtf8) {
  TWidget a, b;
  a.SetSeparator('\xE9');           // Windows-1252 e-acute
  a.SetCaption("caf\xE9 \xFF ok");  // not UTF-8: stored with replacement characters
  const std::string text = WriteComponentToString(a);
  EXPECT_NE(text.find("\"Separator\": \"\xC3\xA9\""), std::string::npos) << text;
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.Separator(), '\xE9');
  EXPECT_EQ(b.Caption(), "caf\xEF\xBF\xBD \xEF\xBF\xBD ok");
  TWidget c;
  EXPECT_THROW(ReadComponentFromString(c, R"({"class": "TWidget", "properties": {"Separator": "\u0100"}})"),
               EMivoError);
}

TEST(Properties, NonFiniteDoublesAndNulCharacters) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), -0.0, 1e308, 5e-324}) {
    TWidget a, b;
    a.SetRatio(v);
    a.SetSeparator('\0');
    ReadComponentFromString(b, WriteComponentToString(a));
    if (std::isnan(v))
      EXPECT_TRUE(std::isnan(b.Ratio()));
    else
      EXPECT_EQ(b.Ratio(), v);
    EXPECT_EQ(b.Separator(), '\0');
  }
}

TEST(Properties, BadValuesAreRejectedWithoutSideEffects) {
  struct Case {
    const char* props;
    const char* message;
  };
  const Case cases[] = {
      {R"({"Count": 4, "Bogus": 1})", "Form file 'w.json': unknown property 'Bogus' of class TWidget"},
      {R"({"Count": "4"})", "property 'Count' of class TWidget expects an integer"},
      {R"({"Count": 4.5})", "property 'Count' of class TWidget expects an integer"},
      {R"({"Count": 3000000000})", "property 'Count' of class TWidget holds 3000000000, outside"},
      {R"({"Small": 256})", "property 'Small' of class TWidget holds 256, outside 0 ... 255"},
      {R"({"Shape": 3})", "property 'Shape' of class TWidget holds 3, outside 0 ... 2"},
      {R"({"Flag": 1})", "property 'Flag' of class TWidget expects true or false"},
      {R"({"Ratio": "fast"})", "property 'Ratio' of class TWidget expects a number"},
      {R"({"Ratio": null})", "property 'Ratio' of class TWidget expects a number"},
      {R"({"Caption": ["a"]})", "property 'Caption' of class TWidget expects a string"},
      {R"({"Separator": "ab"})", "property 'Separator' of class TWidget expects a string of one character"},
      {R"({"LineColor": -1})", "property 'LineColor' of class TWidget holds -1, outside"},
      {R"({"Font": {"Size": 9, "Weight": 3}})", "property 'Font' of class TWidget has no font field 'Weight'"},
      {R"({"Font": {"Style": 16}})", "property 'Font' of class TWidget has a bad font Style"},
      {R"({"Font": 8})", "property 'Font' of class TWidget expects a font object"},
      {R"({"Settings": {"Level": 1, "Depth": 2}})", "unknown property 'Settings.Depth' of class TSubSettings"},
      {R"({"Settings": {"Level": true}})", "property 'Settings.Level' of class TSubSettings expects an integer"},
      {R"({"Settings": 5})", "property 'Settings' of class TWidget expects an object"},
      {R"([1, 2])", "the properties of TWidget must be a JSON object"},
      // Values in messages: scalars as JSON text cut to 40 characters (never
      // inside a UTF-8 sequence), objects and arrays by kind.
      {R"({"Caption": {"a": [1]}})", "property 'Caption' of class TWidget expects a string, not an object"},
      {R"({"Flag": []})", "property 'Flag' of class TWidget expects true or false, not an empty array"},
      {R"({"Font": {"Name": {}}})", "property 'Font' of class TWidget has a bad font Name: an empty object"},
      {R"({"Count": "0123456789012345678901234567890123456789xyz"})",
       R"(expects an integer, not "012345678901234567890123456789012345...)"},
      // "x" and 22 e-acute: the first 40 bytes end inside a character.
      {"{\"Ratio\": \"x\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\"}",
       "expects a number, not \"x\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.props);
    TWidget w;
    w.Log.clear();
    const std::string text = std::string(R"({"class": "TWidget", "name": "W", "properties": )") + c.props + "}";
    try {
      ReadComponentFromString(w, text, "w.json");
      ADD_FAILURE() << "accepted";
    } catch (const EMivoError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_TRUE(CheckDefaults(w).empty());
    EXPECT_EQ(w.Name(), "");
    EXPECT_TRUE(w.Log.empty());
    EXPECT_FALSE(w.ComponentState().Contains(TComponentStateItem::csLoading));
  }
}

TEST(Properties, MalformedDocumentsAreRejected) {
  const char* texts[] = {
      "",
      "{",
      "\x89PNG\r\n\x1a\n\0\0",
      R"({"class": "TWidget", "properties": {"Count": 1,}})",
      R"({"class": "TScale", "properties": {}})",
      R"({"properties": {}})",
      R"({"class": 5})",
      R"({"class": "TWidget", "name": 7})",
      R"({"class": "TWidget", "extra": 1})",
      R"("TWidget")",
      R"({"class": "TWidget", "properties": {"Ratio": 1e999}})",
  };
  for (const char* t : texts) {
    TWidget w;
    EXPECT_THROW(ReadComponentFromString(w, t, "bad.json"), EMivoError) << t;
    EXPECT_TRUE(CheckDefaults(w).empty());
  }
  // Deep nesting neither overflows the stack nor is accepted.
  TWidget w;
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_THROW(ReadComponentFromString(w, deep, "deep.json"), EMivoError);
}

// A document whose `open` ... `close` run makes it nest `levels` deep in all.
struct TNestedShape {
  const char* what;
  const char* head;  // `outer` levels of nesting open here
  int outer;
  const char* open;
  const char* inner;
  const char* close;
  const char* tail;
  bool form;                  // read with ReadFormInto, else ReadComponentFromString
  const char* errorAtLimit;   // the ordinary complaint about the document at the limit

  std::string Text(int levels) const {
    const int n = levels - outer;
    std::string t = head;
    t.reserve(t.size() + std::size_t(n) * (std::strlen(open) + std::strlen(close)) + 64);
    for (int i = 0; i < n; ++i) t += open;
    t += inner;
    for (int i = 0; i < n; ++i) t += close;
    return t + tail;
  }
};

const TNestedShape NestedShapes[] = {
    {"arrays", "", 0, "[", "", "]", "", false, "a component must be a JSON object"},
    {"objects", "", 0, R"({"class": )", R"("TWidget")", "}", "", false, "a component lacks its \"class\""},
    {"property value", R"({"class": "TWidget", "properties": {"Count": )", 2, "[", "1", "]", "}}", false,
     "property 'Count' of class TWidget expects an integer, not an array"},
    {"sub-object property", R"({"class": "TWidget", "properties": {"Settings": {"Level": 1, "Label": )", 3,
     R"({"x": )", "1", "}", "}}}", false,
     "property 'Settings.Label' of class TSubSettings expects a string, not an object"},
    {"font field", R"({"class": "TWidget", "properties": {"Font": {"Size": 9, "Name": )", 3, "[", "", "]", "}}}",
     false, "property 'Font' of class TWidget has a bad font Name: an array"},
    {"form", R"({"components": [{"class": "TWidget", "name": "W", "properties": {"Caption": )", 4, "[", "\"c\"",
     "]", "}}]}", true, "property 'Caption' of class TWidget expects a string, not an array"},
};

std::string ReadError(const TNestedShape& shape, const std::string& text, TWidget& w) {
  try {
    if (shape.form)
      ReadFormInto(text, {&w}, "deep.json");
    else
      ReadComponentFromString(w, text, "deep.json");
  } catch (const EMivoError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(Properties, NestingDeeperThanTheLimitIsRefusedWhileParsing) {
  const std::string refused = "Form file 'deep.json': nesting deeper than 64 levels";
  ASSERT_EQ(MaxFormNesting, 64);
  const struct {
    int levels;
    bool refusedForDepth;
  } depths[] = {{100000, true}, {MaxFormNesting + 1, true}, {MaxFormNesting, false}, {MaxFormNesting - 1, false}};
  for (const TNestedShape& shape : NestedShapes) {
    for (const auto& d : depths) {
      SCOPED_TRACE(std::string(shape.what) + ", " + std::to_string(d.levels) + " levels");
      TWidget w;
      w.SetName("W");
      w.Log.clear();
      const std::string error = ReadError(shape, shape.Text(d.levels), w);
      if (d.refusedForDepth)
        EXPECT_EQ(error, refused);
      else
        EXPECT_EQ(error, "Form file 'deep.json': " + std::string(shape.errorAtLimit));
      EXPECT_TRUE(CheckDefaults(w).empty());
      EXPECT_TRUE(w.Log.empty());
      EXPECT_FALSE(w.ComponentState().Contains(TComponentStateItem::csLoading));
    }
  }
}

// A deep value built in memory skips the parser's limit; its error message
// still describes it without walking it.
TEST(Properties, DeepValueHandedOverAsJsonIsDescribedByKind) {
  TJson deep = 1;
  for (int i = 0; i < 100000; ++i) {
    TJson outer = TJson::array();
    outer.push_back(std::move(deep));
    deep = std::move(outer);
  }
  TJson component = {{"class", "TWidget"}};
  component["properties"]["Count"] = std::move(deep);
  TWidget w;
  try {
    ComponentFromJson(w, component, "memory.json");
    ADD_FAILURE() << "accepted";
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(),
                 "Form file 'memory.json': property 'Count' of class TWidget expects an integer, not an array");
  }
  EXPECT_TRUE(CheckDefaults(w).empty());
}

TEST(Properties, DeepFormFilesNameTheFile) {
  const fs::path dir = OutputDir("properties_deep");
  const std::string file = (dir / "deep.json").string();
  std::ofstream(file, std::ios::binary) << NestedShapes[5].Text(100000);
  const std::string message = "Form file '" + file + "': nesting deeper than 64 levels";
  TWidget w;
  w.SetName("W");
  try {
    ReadFormFileInto(file, {&w});
    ADD_FAILURE() << "accepted";
  } catch (const EMivoError& e) {
    EXPECT_EQ(e.what(), message);
  }
  try {
    (void)ReadFormFile(file);
    ADD_FAILURE() << "accepted";
  } catch (const EMivoError& e) {
    EXPECT_EQ(e.what(), message);
  }
  EXPECT_TRUE(CheckDefaults(w).empty());
}

TEST(Properties, FilesAndForms) {
  const fs::path dir = OutputDir("properties");
  TWidget a, b;
  a.SetName("First");
  a.SetCount(11);
  b.SetName("Second");
  b.Settings().SetLabel("two");
  b.SetVisible(false);

  const std::string one = (dir / "one.json").string();
  WriteComponentFile(one, a);
  TWidget a2;
  ReadComponentFile(one, a2);
  EXPECT_EQ(a2.Count(), 11);
  EXPECT_EQ(a2.Name(), "First");

  const std::string form = (dir / "form.json").string();
  WriteFormFile(form, {&a, &b});

  // Into existing components, matched by name; every Loaded comes after all properties.
  TWidget x, y;
  x.SetName("Second");
  y.SetName("First");
  x.Log.clear();
  y.Log.clear();
  ReadFormFileInto(form, {&x, &y});
  EXPECT_EQ(y.Count(), 11);
  EXPECT_EQ(x.Settings().Label(), "two");
  EXPECT_FALSE(x.Visible());
  EXPECT_EQ(x.Log.back(), "Loaded");

  // Created from the registered classes.
  const auto created = ReadFormFile(form);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0]->ClassName(), "TWidget");
  EXPECT_EQ(created[1]->Name(), "Second");
  EXPECT_EQ(static_cast<TWidget&>(*created[0]).Count(), 11);

  // Errors name the file.
  TWidget lonely;
  lonely.SetName("First");
  try {
    ReadFormFileInto(form, {&lonely});
    ADD_FAILURE();
  } catch (const EMivoError& e) {
    EXPECT_NE(std::string(e.what()).find("form.json' names a component 'Second' that does not exist"),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(lonely.Count(), 3);  // checked before anything was applied
  const std::string garbage = (dir / "garbage.json").string();
  std::ofstream(garbage, std::ios::binary) << "\x01\x02garbage{{";
  try {
    ReadComponentFile(garbage, lonely);
    ADD_FAILURE();
  } catch (const EMivoError& e) {
    EXPECT_NE(std::string(e.what()).find("Form file '" + garbage + "' is not valid JSON"), std::string::npos);
  }
  EXPECT_THROW(ReadComponentFile((dir / "missing.json").string(), lonely), EMivoError);
  EXPECT_THROW(ReadFormFile(one), EMivoError);  // a single component is not a form
}

TEST(Properties, RegistrationMistakesAreReported) {
  TWidget w;  // registers TWidget
  EXPECT_THROW(RegisterProperties<TWidget>("TWidget2", "TNoParent", {}), EMivoError);
  EXPECT_THROW(RegisterProperties<TWidget>("TWidget3", "TWidget",
                                           {Prop("Count", &TWidget::Count, &TWidget::SetCount, 1),
                                            Prop("Count", &TWidget::Count, &TWidget::SetCount, 2)}),
               EMivoError);
  EXPECT_THROW(RegisterProperties<TWidget>("TWidget4", "TWidget", {NewDefault("NoSuch", 1)}), EMivoError);
  EXPECT_FALSE(IsClassRegistered("TWidget3"));
}

TEST(Properties, PalettePages) {
  RegisterComponents("Test page", {"TWidget", "TCustomControl"});
  RegisterComponents("Test page", {"TWidget"});
  EXPECT_EQ(PaletteComponents("Test page"), (std::vector<std::string>{"TWidget", "TCustomControl"}));
  EXPECT_TRUE(PaletteComponents("No page").empty());
}

// A component with rules between its properties that only Loaded checks (a
// range and a flag that needs the range positive), and a setter that refuses.
class TStrict : public TCustomControl {
 public:
  explicit TStrict(TComponent* owner = nullptr) : TCustomControl(owner) {
    static const bool registered = RegisterProperties<TStrict>(
        "TStrict", "TCustomControl",
        {Prop("Low", &TStrict::Low, &TStrict::SetLow, -1.0), Prop("Positive", &TStrict::Positive,
                                                                  &TStrict::SetPositive, false),
         Prop("Level", &TStrict::Level, &TStrict::SetLevel, 0)});
    (void)registered;
  }
  std::string ClassName() const override { return "TStrict"; }
  double Low() const { return FLow; }
  void SetLow(double v) { FLow = v; }
  bool Positive() const { return FPositive; }
  void SetPositive(bool on) {
    FPositive = on;
    if (on && FLow <= 0 && !ComponentState().Contains(TComponentStateItem::csLoading))
      RaiseMivoError("Positive needs Low above 0.");
  }
  std::int32_t Level() const { return FLevel; }
  void SetLevel(std::int32_t v) {
    if (v < 0) RaiseMivoError("Level must not be negative.");
    FLevel = v;
  }
  void Loaded() override {
    TCustomControl::Loaded();
    if (FPositive && FLow <= 0) RaiseMivoError("Positive needs Low above 0.");
  }

 private:
  double FLow = -1;
  bool FPositive = false;
  std::int32_t FLevel = 0;
};

// A read that a setter or Loaded refuses leaves every component of it as it
// was, out of the loading state, and passes the error on.
TEST(Properties, RefusedReadLeavesEveryComponentAsItWas) {
  struct Row {
    const char* Form;
    const char* Message;
  };
  const std::vector<Row> rows = {
      {R"({"name": "A", "properties": {"Positive": true}})", "Positive needs Low above 0."},
      {R"({"name": "A", "properties": {"Low": -5, "Width": 77, "Level": -1}})", "Level must not be negative."},
  };
  for (const Row& r : rows) {
    TStrict a, b;
    a.SetName("A");
    b.SetName("B");
    a.SetLow(-2);
    b.SetLevel(4);
    const TJson beforeA = PropertiesToJson(a), beforeB = PropertiesToJson(b);
    const std::string form = std::string(R"({"components": [{"class": "TStrict", "name": "B", "properties":)") +
                             R"( {"Level": 9, "Low": 8, "Height": 99}}, {"class": "TStrict", )" + (r.Form + 1) + "]}";
    for (bool asForm : {true, false}) {
      try {
        if (asForm)
          ReadFormInto(form, {&a, &b}, "strict.json");
        else
          ReadComponentFromString(a, std::string(R"({"class": "TStrict", )") + (r.Form + 1), "strict.json");
        ADD_FAILURE() << r.Form;
      } catch (const EMivoError& e) {
        EXPECT_STREQ(e.what(), r.Message);
      }
      EXPECT_EQ(PropertiesToJson(a), beforeA) << r.Form;
      EXPECT_EQ(PropertiesToJson(b), beforeB) << r.Form;
      EXPECT_EQ(a.Name(), "A");
      EXPECT_FALSE(a.ComponentState().Contains(TComponentStateItem::csLoading));
      EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
    }
  }
}

}  // namespace
}  // namespace mivo
