#include "mivo/platform/properties.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "mivo/platform/colors.h"
#include "mivo/platform/file_read.h"
#include "mivo/platform/file_replace.h"

namespace mivo {

namespace {

// ---------------------------------------------------------------- registry

class TRegistry {
 public:
  TRegistry() { RegisterBuiltIns(); }

  void Add(TClassProps info) {
    if (info.ClassName.empty()) RaiseMivoError("Registering properties: empty class name");
    if (FClasses.count(info.ClassName)) return;  // the first registration wins
    if (!info.ParentName.empty() && !FClasses.count(info.ParentName))
      RaiseMivoError("Registering properties of " + info.ClassName + ": parent class " + info.ParentName +
                     " is not registered");
    // Check the list against the inherited one before storing anything.
    std::vector<TPropInfo> inherited;
    if (!info.ParentName.empty()) inherited = All(info.ParentName);
    for (std::size_t i = 0; i < info.Props.size(); ++i) {
      const TPropInfo& p = info.Props[i];
      for (std::size_t k = 0; k < i; ++k)
        if (info.Props[k].Name == p.Name)
          RaiseMivoError("Registering properties of " + info.ClassName + ": property '" + p.Name + "' given twice");
      if (p.DefaultOnly) {
        bool found = false;
        for (const TPropInfo& q : inherited) found = found || (q.Name == p.Name && q.Kind != TPropKind::pkObject);
        if (!found)
          RaiseMivoError("Registering properties of " + info.ClassName + ": no inherited property '" + p.Name +
                         "' to give a new default");
      }
    }
    const std::string name = info.ClassName;
    FClasses.emplace(name, std::move(info));
  }

  const TClassProps* Find(const std::string& name) const {
    const auto it = FClasses.find(name);
    return it == FClasses.end() ? nullptr : &it->second;
  }

  // Inherited properties first; a redeclared property keeps its inherited place.
  std::vector<TPropInfo> All(const std::string& name) const {
    const TClassProps* c = Find(name);
    if (!c) RaiseMivoError("Class " + name + " has no registered properties");
    std::vector<TPropInfo> result;
    if (!c->ParentName.empty()) result = All(c->ParentName);
    for (const TPropInfo& p : c->Props) {
      auto it = std::find_if(result.begin(), result.end(), [&](const TPropInfo& q) { return q.Name == p.Name; });
      if (p.DefaultOnly) {
        if (it != result.end()) it->Default = p.Default;
      } else if (it != result.end()) {
        *it = p;
      } else {
        result.push_back(p);
      }
    }
    return result;
  }

 private:
  void RegisterBuiltIns();
  std::map<std::string, TClassProps> FClasses;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

void TRegistry::RegisterBuiltIns() {
  TClassProps control;
  control.ClassName = "TControl";
  control.Props = {
      Prop("Left", &TControl::Left, &TControl::SetLeft, 0),
      Prop("Top", &TControl::Top, &TControl::SetTop, 0),
      Prop("Width", &TControl::Width, &TControl::SetWidth, 0),
      Prop("Height", &TControl::Height, &TControl::SetHeight, 0),
      Prop("Align", &TControl::Align, &TControl::SetAlign, TAlign::alNone).Range(0, 5),
      Prop("Visible", &TControl::Visible, &TControl::SetVisible, true),
      Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled, true),
      Prop("Color", &TControl::Color, &TControl::SetColor, clBtnFace),
      Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true),
      Prop("Font", &TControl::Font, &TControl::SetFont, TFont{}),
      Prop("Cursor", &TControl::Cursor, &TControl::SetCursor, 0),
      Prop("Hint", &TControl::Hint, &TControl::SetHint, std::string()),
      Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true),
      Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false),
  };
  control.Create = [](TComponent* owner) -> std::unique_ptr<TComponent> {
    return std::make_unique<TControl>(owner);
  };
  Add(std::move(control));
  TClassProps custom;
  custom.ClassName = "TCustomControl";
  custom.ParentName = "TControl";
  custom.Props = {
      Prop("Antialiased", &TCustomControl::Antialiased, &TCustomControl::SetAntialiased, false),
  };
  custom.Create = [](TComponent* owner) -> std::unique_ptr<TComponent> {
    return std::make_unique<TCustomControl>(owner);
  };
  Add(std::move(custom));
}

// ---------------------------------------------------------------- checks

// A value as an error message shows it: scalars as their JSON text, cut to
// MaxShown characters; objects and arrays by their kind only. Never a dump()
// of the whole value: that recurses once per nesting level and copies all of
// a long string.
std::string Describe(const TJson& j) {
  constexpr std::size_t MaxShown = 40;
  std::string s;
  switch (j.type()) {
    case TJson::value_t::object: return j.empty() ? "an empty object" : "an object";
    case TJson::value_t::array: return j.empty() ? "an empty array" : "an array";
    case TJson::value_t::string: {
      const auto& text = j.get_ref<const std::string&>();
      s = TJson(text.substr(0, MaxShown)).dump(-1, ' ', false, TJson::error_handler_t::replace);
      break;
    }
    default: s = j.dump(); break;  // null, booleans and numbers: a few characters
  }
  if (s.size() > MaxShown) {
    std::size_t cut = MaxShown - 3;
    while (cut > 0 && (std::uint8_t(s[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 sequence
    s = s.substr(0, cut) + "...";
  }
  return s;
}

std::string FormPrefix(const std::string& source) { return "Form file '" + source + "'"; }

[[noreturn]] void RaiseValue(const std::string& source, const std::string& cls, const std::string& prop,
                             const std::string& problem) {
  RaiseMivoError(FormPrefix(source) + ": property '" + prop + "' of class " + cls + " " + problem);
}

bool IntegerIn(const TJson& j, std::int64_t lo, std::int64_t hi) {
  // A non-negative number arrives unsigned; it must meet the lower bound too.
  if (j.is_number_unsigned()) {
    const auto v = j.get<std::uint64_t>();
    return hi >= 0 && v <= std::uint64_t(hi) && (lo <= 0 || v >= std::uint64_t(lo));
  }
  if (j.is_number_integer()) {
    const auto v = j.get<std::int64_t>();
    return v >= lo && v <= hi;
  }
  return false;
}

// "", one ASCII byte, or the UTF-8 form of U+0080 ... U+00FF.
bool IsOneLatin1Char(const std::string& s) {
  if (s.size() <= 1) return true;
  const auto b0 = std::uint8_t(s[0]), b1 = std::uint8_t(s[1]);
  return s.size() == 2 && (b0 == 0xC2 || b0 == 0xC3) && (b1 & 0xC0) == 0x80;
}

void CheckObject(const TPersistent& obj, const TJson& props, const std::string& source, const std::string& path);

void CheckFont(const TJson& j, const std::string& source, const std::string& cls, const std::string& prop) {
  if (!j.is_object()) RaiseValue(source, cls, prop, "expects a font object, not " + Describe(j));
  for (const auto& [key, v] : j.items()) {
    bool ok = true;
    if (key == "Name")
      ok = v.is_string();
    else if (key == "Size")
      ok = IntegerIn(v, -32768, 32767);
    else if (key == "Style")
      ok = IntegerIn(v, 0, 15);
    else if (key == "Color")
      ok = IntegerIn(v, 0, 0xFFFFFFFFll);
    else
      RaiseValue(source, cls, prop, "has no font field '" + key + "'");
    if (!ok) RaiseValue(source, cls, prop, "has a bad font " + key + ": " + Describe(v));
  }
}

void CheckValue(const TPersistent& obj, const TPropInfo& p, const TJson& j, const std::string& source,
                const std::string& cls, const std::string& path) {
  const std::string name = path + p.Name;
  switch (p.Kind) {
    case TPropKind::pkBool:
      if (!j.is_boolean()) RaiseValue(source, cls, name, "expects true or false, not " + Describe(j));
      return;
    case TPropKind::pkInt:
    case TPropKind::pkEnum:
      if (!j.is_number_integer()) RaiseValue(source, cls, name, "expects an integer, not " + Describe(j));
      if (!IntegerIn(j, p.MinValue, p.MaxValue))
        RaiseValue(source, cls, name,
                   "holds " + Describe(j) + ", outside " + std::to_string(p.MinValue) + " ... " +
                       std::to_string(p.MaxValue));
      return;
    case TPropKind::pkSet:
      if (!j.is_number_unsigned() && !(j.is_number_integer() && j.get<std::int64_t>() >= 0))
        RaiseValue(source, cls, name, "expects the set's bits as a non-negative integer, not " + Describe(j));
      return;
    case TPropKind::pkDouble:
      if (j.is_number()) return;
      if (j.is_string()) {
        const auto& s = j.get_ref<const std::string&>();
        if (s == "NaN" || s == "Inf" || s == "+Inf" || s == "-Inf") return;
      }
      RaiseValue(source, cls, name, "expects a number, not " + Describe(j));
    case TPropKind::pkString:
      if (!j.is_string()) RaiseValue(source, cls, name, "expects a string, not " + Describe(j));
      return;
    case TPropKind::pkChar:
      if (!j.is_string() || !IsOneLatin1Char(j.get_ref<const std::string&>()))
        RaiseValue(source, cls, name, "expects a string of one character, not " + Describe(j));
      return;
    case TPropKind::pkFont: CheckFont(j, source, cls, name); return;
    case TPropKind::pkObject: {
      if (!j.is_object()) RaiseValue(source, cls, name, "expects an object, not " + Describe(j));
      const TPersistent* sub = p.Sub(const_cast<TPersistent&>(obj));
      CheckObject(*sub, j, source, name + ".");
      return;
    }
  }
}

const TPropInfo* FindProp(const std::vector<TPropInfo>& props, const std::string& name) {
  for (const TPropInfo& p : props)
    if (p.Name == name) return &p;
  return nullptr;
}

void CheckObject(const TPersistent& obj, const TJson& props, const std::string& source, const std::string& path) {
  const std::string cls = obj.ClassName();
  if (!Registry().Find(cls)) RaiseMivoError(FormPrefix(source) + ": class " + cls + " is not registered");
  const std::vector<TPropInfo> all = Registry().All(cls);
  if (!props.is_object())
    RaiseMivoError(FormPrefix(source) + ": the properties of " + cls + " must be a JSON object");
  for (const auto& [key, value] : props.items()) {
    const TPropInfo* p = FindProp(all, key);
    if (!p) RaiseMivoError(FormPrefix(source) + ": unknown property '" + path + key + "' of class " + cls);
    CheckValue(obj, *p, value, source, cls, path);
  }
}

// Applies checked values in registration order.
void ApplyObject(TPersistent& obj, const TJson& props) {
  for (const TPropInfo& p : Registry().All(obj.ClassName())) {
    const auto it = props.find(p.Name);
    if (it == props.end()) continue;
    if (p.Kind == TPropKind::pkObject)
      ApplyObject(*p.Sub(obj), *it);
    else
      p.Set(obj, *it);
  }
}

void CollectChanged(const TPersistent& obj, const std::string& prefix, std::vector<std::string>& out) {
  for (const TPropInfo& p : Registry().All(obj.ClassName())) {
    if (p.Kind == TPropKind::pkObject)
      CollectChanged(*p.Sub(const_cast<TPersistent&>(obj)), prefix + p.Name + ".", out);
    else if (p.Get(obj) != p.Default)
      out.push_back(prefix + p.Name);
  }
}

// ---------------------------------------------------------------- components

// The parts of a component object, checked.
struct TComponentJson {
  std::string Class;
  const TJson* Name = nullptr;
  const TJson* Props = nullptr;
};

TComponentJson SplitComponent(const TJson& j, const std::string& source) {
  if (!j.is_object()) RaiseMivoError(FormPrefix(source) + ": a component must be a JSON object");
  TComponentJson r;
  const auto cls = j.find("class");
  if (cls == j.end() || !cls->is_string())
    RaiseMivoError(FormPrefix(source) + ": a component lacks its \"class\"");
  r.Class = cls->get<std::string>();
  for (const auto& [key, value] : j.items()) {
    if (key == "name") {
      if (!value.is_string())
        RaiseMivoError(FormPrefix(source) + ": the \"name\" of a " + r.Class + " must be a string");
      r.Name = &value;
    } else if (key == "properties") {
      r.Props = &value;
    } else if (key != "class") {
      RaiseMivoError(FormPrefix(source) + ": unknown key \"" + key + "\" in a " + r.Class);
    }
  }
  return r;
}

void CheckComponent(const TComponent& c, const TComponentJson& j, const std::string& source) {
  if (j.Class != c.ClassName())
    RaiseMivoError(FormPrefix(source) + " stores a " + j.Class + " for the " + c.ClassName() +
                   (c.Name().empty() ? std::string() : " '" + c.Name() + "'"));
  if (j.Props) CheckObject(c, *j.Props, source, "");
  else if (!Registry().Find(c.ClassName()))
    RaiseMivoError(FormPrefix(source) + ": class " + c.ClassName() + " is not registered");
}

// Every property of obj, defaults included: what it takes to put obj back.
TJson AllProperties(const TPersistent& obj) {
  TJson j = TJson::object();
  for (const TPropInfo& p : Registry().All(obj.ClassName()))
    j[p.Name] = p.Kind == TPropKind::pkObject ? AllProperties(*p.Sub(const_cast<TPersistent&>(obj))) : p.Get(obj);
  return j;
}

// What the components were before a read touched them.
struct TSnapshot {
  std::string Name;
  TJson Props;
};

// Ends the loading state of c even when its Loaded raises.
void EndLoading(TComponent& c) noexcept {
  try {
    c.Loaded();
  } catch (...) {
  }
  c.TComponent::Loaded();
}

// Puts every component back as its snapshot says, in the loading state as a
// read does. Setters that depend on one another (a range and its logarithmic
// flag) may refuse a value on the first pass that they take on the second, so
// a component that does not match its snapshot yet gets another pass. Best
// effort: a setter or Loaded that raises here does not stop the rest.
void RestoreAll(const std::vector<TComponent*>& comps, const std::vector<TSnapshot>& saved) noexcept {
  constexpr int MaxPasses = 3;
  for (TComponent* c : comps) c->BeginLoading();
  for (std::size_t i = 0; i < comps.size(); ++i) {
    for (int pass = 0; pass < MaxPasses; ++pass) {
      try {
        comps[i]->SetName(saved[i].Name);
        ApplyObject(*comps[i], saved[i].Props);
        if (AllProperties(*comps[i]) == saved[i].Props) break;
      } catch (...) {
      }
    }
  }
  for (TComponent* c : comps) EndLoading(*c);
}

// Sets the loading state of all, applies all, then calls Loaded on all. When
// a setter or a Loaded raises, every component is put back as it was before
// the read (when `restore`: a component created for the read is dropped by its
// caller anyway) and ends the loading state, and the error goes on.
void LoadChecked(const std::vector<TComponent*>& comps, const std::vector<TComponentJson>& parts, bool restore) {
  std::vector<TSnapshot> saved;
  if (restore)
    for (TComponent* c : comps) saved.push_back({c->Name(), AllProperties(*c)});
  for (TComponent* c : comps) c->BeginLoading();
  try {
    for (std::size_t i = 0; i < comps.size(); ++i) {
      if (parts[i].Name) comps[i]->SetName(parts[i].Name->get<std::string>());
      if (parts[i].Props) ApplyObject(*comps[i], *parts[i].Props);
    }
    for (TComponent* c : comps) c->Loaded();
  } catch (...) {
    if (restore)
      RestoreAll(comps, saved);
    else
      for (TComponent* c : comps) EndLoading(*c);
    throw;
  }
}

// The parser itself keeps its nesting on the heap, but a deep value would
// still reach code that recurses once per level (comparison, copies, output),
// so a form file deeper than MaxFormNesting is refused while it is parsed,
// before any deep value exists. The parser reports the start of an object or
// array with the depth of its parent: the outermost one starts at depth 0.
TJson ParseText(std::string_view text, const std::string& source) {
  const TJson::parser_callback_t limitNesting = [&source](int depth, TJson::parse_event_t event, TJson&) {
    if ((event == TJson::parse_event_t::object_start || event == TJson::parse_event_t::array_start) &&
        depth >= MaxFormNesting)
      RaiseMivoError(FormPrefix(source) + ": nesting deeper than " + std::to_string(MaxFormNesting) + " levels");
    return true;
  };
  try {
    return TJson::parse(text.begin(), text.end(), limitNesting);
  } catch (const TJson::exception& e) {
    RaiseMivoError(FormPrefix(source) + " is not valid JSON (" + e.what() + ")");
  }
}

// Pretty JSON; bytes of strings that are not UTF-8 become U+FFFD.
std::string Dump(const TJson& j) { return j.dump(2, ' ', false, TJson::error_handler_t::replace) + "\n"; }

constexpr std::size_t MaxFormFileSize = 64u << 20;

std::string ReadWholeFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadRegularFile(fileName, MaxFormFileSize, "Form file");
  return std::string(bytes.begin(), bytes.end());
}

void WriteWholeFile(const std::string& fileName, const std::string& text) {
  WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "form file");
}

const TJson& FormComponents(const TJson& form, const std::string& source) {
  const auto it = form.is_object() ? form.find("components") : form.end();
  if (!form.is_object() || it == form.end() || !it->is_array())
    RaiseMivoError(FormPrefix(source) + " is not a form: it lacks the \"components\" list");
  return *it;
}

}  // namespace

// ---------------------------------------------------------------- public API

namespace detail {

TJson CharToJson(char c) {
  const auto b = std::uint8_t(c);
  if (b == 0) return TJson("");
  if (b < 0x80) return TJson(std::string(1, c));
  return TJson(std::string{char(0xC0 | (b >> 6)), char(0x80 | (b & 0x3F))});
}

char CharFromJson(const TJson& j) {
  const auto& s = j.get_ref<const std::string&>();
  if (s.empty()) return 0;
  if (s.size() == 1) return s[0];
  return char(((std::uint8_t(s[0]) & 0x1F) << 6) | (std::uint8_t(s[1]) & 0x3F));
}

TJson DoubleToJson(double v) {
  if (std::isnan(v)) return TJson("NaN");
  if (std::isinf(v)) return TJson(v > 0 ? "Inf" : "-Inf");
  return TJson(v);
}

double DoubleFromJson(const TJson& j) {
  if (j.is_number()) return j.get<double>();
  const auto& s = j.get_ref<const std::string&>();
  if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
  return s == "-Inf" ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

TJson FontToJson(const TFont& f) {
  TJson j = TJson::object();
  j["Name"] = f.Name;
  j["Size"] = f.Size;
  j["Style"] = f.Style.Bits();
  j["Color"] = f.Color;
  return j;
}

void FontFromJson(const TJson& j, TFont& f) {
  if (const auto it = j.find("Name"); it != j.end()) f.Name = it->get<std::string>();
  if (const auto it = j.find("Size"); it != j.end()) f.Size = it->get<std::int32_t>();
  if (const auto it = j.find("Style"); it != j.end()) f.Style = TFontStyles::FromBits(it->get<std::uint64_t>());
  if (const auto it = j.find("Color"); it != j.end()) f.Color = it->get<TColor>();
}

}  // namespace detail

void RegisterClassProps(TClassProps info) { Registry().Add(std::move(info)); }

bool IsClassRegistered(const std::string& className) { return Registry().Find(className) != nullptr; }

std::vector<TPropInfo> ClassProperties(const std::string& className) { return Registry().All(className); }

std::vector<std::string> CheckDefaults(const TPersistent& obj) {
  std::vector<std::string> out;
  CollectChanged(obj, "", out);
  return out;
}

namespace {
std::map<std::string, std::vector<std::string>>& Palette() {
  static std::map<std::string, std::vector<std::string>> palette;
  return palette;
}
}  // namespace

void RegisterComponents(const std::string& page, const std::vector<std::string>& classNames) {
  std::vector<std::string>& list = Palette()[page];
  for (const std::string& name : classNames)
    if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

std::vector<std::string> PaletteComponents(const std::string& page) {
  const auto it = Palette().find(page);
  return it == Palette().end() ? std::vector<std::string>() : it->second;
}

TJson PropertiesToJson(const TPersistent& obj) {
  TJson j = TJson::object();
  for (const TPropInfo& p : Registry().All(obj.ClassName())) {
    if (p.Kind == TPropKind::pkObject) {
      TJson sub = PropertiesToJson(*p.Sub(const_cast<TPersistent&>(obj)));
      if (!sub.empty()) j[p.Name] = std::move(sub);
    } else if (TJson v = p.Get(obj); v != p.Default) {
      j[p.Name] = std::move(v);
    }
  }
  return j;
}

TJson ComponentToJson(const TComponent& c) {
  TJson j = TJson::object();
  j["class"] = c.ClassName();
  j["name"] = c.Name();
  j["properties"] = PropertiesToJson(c);
  return j;
}

void ComponentFromJson(TComponent& c, const TJson& j, const std::string& source) {
  const TComponentJson parts = SplitComponent(j, source);
  CheckComponent(c, parts, source);
  LoadChecked({&c}, {parts}, true);
}

std::string WriteComponentToString(const TComponent& c) { return Dump(ComponentToJson(c)); }

void ReadComponentFromString(TComponent& c, std::string_view text, const std::string& source) {
  ComponentFromJson(c, ParseText(text, source), source);
}

void WriteComponentFile(const std::string& fileName, const TComponent& c) {
  WriteWholeFile(fileName, WriteComponentToString(c));
}

void ReadComponentFile(const std::string& fileName, TComponent& c) {
  ReadComponentFromString(c, ReadWholeFile(fileName), fileName);
}

std::string WriteFormToString(const std::vector<const TComponent*>& components) {
  TJson form = TJson::object();
  form["components"] = TJson::array();
  for (const TComponent* c : components)
    if (c) form["components"].push_back(ComponentToJson(*c));
  return Dump(form);
}

void WriteFormFile(const std::string& fileName, const std::vector<const TComponent*>& components) {
  WriteWholeFile(fileName, WriteFormToString(components));
}

void ReadFormInto(std::string_view text, const std::vector<TComponent*>& components, const std::string& source) {
  const TJson form = ParseText(text, source);
  const TJson& list = FormComponents(form, source);
  std::vector<TComponent*> targets;
  std::vector<TComponentJson> parts;
  for (const TJson& item : list) {
    TComponentJson p = SplitComponent(item, source);
    if (!p.Name) RaiseMivoError(FormPrefix(source) + ": a " + p.Class + " lacks its \"name\"");
    const std::string& name = p.Name->get_ref<const std::string&>();
    const auto it = std::find_if(components.begin(), components.end(),
                                 [&](const TComponent* c) { return c && c->Name() == name; });
    if (it == components.end())
      RaiseMivoError(FormPrefix(source) + " names a component '" + name + "' that does not exist");
    if (std::find(targets.begin(), targets.end(), *it) != targets.end())
      RaiseMivoError(FormPrefix(source) + " lists the component '" + name + "' twice");
    CheckComponent(**it, p, source);
    targets.push_back(*it);
    parts.push_back(p);
  }
  LoadChecked(targets, parts, true);
}

std::vector<std::unique_ptr<TComponent>> ReadForm(std::string_view text, TComponent* owner, const std::string& source) {
  const TJson form = ParseText(text, source);
  const TJson& list = FormComponents(form, source);
  std::vector<std::unique_ptr<TComponent>> created;
  std::vector<TComponentJson> parts;
  for (const TJson& item : list) {
    TComponentJson p = SplitComponent(item, source);
    const TClassProps* cls = Registry().Find(p.Class);
    if (!cls) RaiseMivoError(FormPrefix(source) + ": class " + p.Class + " is not registered");
    if (!cls->Create) RaiseMivoError(FormPrefix(source) + ": class " + p.Class + " cannot be created from a form");
    std::unique_ptr<TComponent> c = cls->Create(owner);
    CheckComponent(*c, p, source);
    created.push_back(std::move(c));
    parts.push_back(p);
  }
  std::vector<TComponent*> raw;
  for (auto& c : created) raw.push_back(c.get());
  LoadChecked(raw, parts, false);
  return created;
}

void ReadFormFileInto(const std::string& fileName, const std::vector<TComponent*>& components) {
  ReadFormInto(ReadWholeFile(fileName), components, fileName);
}

std::vector<std::unique_ptr<TComponent>> ReadFormFile(const std::string& fileName, TComponent* owner) {
  return ReadForm(ReadWholeFile(fileName), owner, fileName);
}

}  // namespace mivo
