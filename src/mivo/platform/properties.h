#pragma once
// Published properties and form files.
//
// Each component class registers its published properties once: name, type,
// default, getter and setter. Registration is type-checked at compile time:
//
//   static const bool registered = RegisterProperties<TScale>("TScale", "TCustomControl", {
//       Prop("RangeLow", &TScale::RangeLow, &TScale::SetRangeLow, 0.0),
//       Prop("LabelType", &TScale::LabelType, &TScale::SetLabelType, TFigType::ftNum),
//       SubObject("DateFormat", &TScale::DateFormat),
//       NewDefault("Width", 200),
//   });
//
// Supported value types: bool, integers (int32, Byte, Word, TColor ...), double,
// std::string, char, enumerations (stored as ordinals), TSet bit sets (stored as
// their bits), TFont (an object with Name, Size, Style bits and Color) and
// nested persistent sub-objects whose class has registered properties of its own.
// A class inherits the properties of the class it names as parent; TControl
// (Left, Top, Width, Height, Visible, Enabled, Font, Color, Cursor, Hint,
// ShowHint, ParentFont, ParentShowHint) and TCustomControl are registered
// already. Registration does not happen by itself in a static library: call it
// from the class's constructor through a function-local static, as above.
//
// A component in a form file is a JSON object
//   {"class": "TScale", "name": "Scale1", "properties": {"RangeLow": -5, ...}}
// and a form is {"components": [ ... ]}. Reading checks everything first (an
// unknown class or property, a wrong JSON type or an out-of-range value raises
// EMivoError naming the file, class and property, and leaves the components
// untouched), then sets the loading state, applies the stored properties in
// registration order (inherited ones first) and calls Loaded. Writing stores
// every property whose value differs from its default. Doubles that are not
// finite are stored as the strings "NaN", "Inf" and "-Inf".

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "mivo/platform/canvas.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

using TJson = nlohmann::ordered_json;

enum class TPropKind : std::uint8_t { pkBool, pkInt, pkDouble, pkString, pkChar, pkEnum, pkSet, pkFont, pkObject };

// One published property, with its value handled as JSON.
struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::pkInt;
  TJson Default;                       // null for sub-objects
  std::int64_t MinValue = 0, MaxValue = 0;  // accepted range of pkInt and pkEnum
  // Only changes the default of an inherited property of the same name.
  bool DefaultOnly = false;
  std::function<TJson(const TPersistent&)> Get;
  // Called with a value that has passed the checks.
  std::function<void(TPersistent&, const TJson&)> Set;
  // The sub-object of a pkObject property.
  std::function<TPersistent*(TPersistent&)> Sub;

  // Narrows the accepted range of an integer or enumeration property.
  TPropInfo& Range(std::int64_t lo, std::int64_t hi) {
    MinValue = lo;
    MaxValue = hi;
    return *this;
  }
};

// A registered class.
struct TClassProps {
  std::string ClassName;
  std::string ParentName;        // "" for none
  std::vector<TPropInfo> Props;  // own properties in registration order
  // Creates an instance for form files that list components (null if the class cannot be created so).
  std::function<std::unique_ptr<TComponent>(TComponent* owner)> Create;
};

// Registers a class (the first registration of a name wins; later ones are
// ignored). Raises EMivoError for an unknown parent or a duplicate property name.
void RegisterClassProps(TClassProps info);
bool IsClassRegistered(const std::string& className);
// Every property of a class, inherited ones first, with overridden defaults
// applied. Raises EMivoError for an unregistered class.
std::vector<TPropInfo> ClassProperties(const std::string& className);
// Names of the properties of `obj` (by its ClassName) whose current value
// differs from the registered default; sub-object properties appear as
// "DateFormat.TimeFormat".
std::vector<std::string> CheckDefaults(const TPersistent& obj);
// The current values of the properties that differ from their defaults, as a
// JSON object (what a form file stores for the object).
TJson PropertiesToJson(const TPersistent& obj);

// ---------------------------------------------------------------- value conversion

namespace detail {

template <typename T>
struct IsTSet : std::false_type {};
template <typename E>
struct IsTSet<TSet<E>> : std::true_type {};

// A char is a single byte (Windows-1252 text); it is stored as the character
// U+0000 ... U+00FF of the same number, "" for the byte 0.
TJson CharToJson(char c);
char CharFromJson(const TJson& j);
TJson DoubleToJson(double v);
double DoubleFromJson(const TJson& j);
TJson FontToJson(const TFont& f);
// Applies the keys present in `j` to `f`.
void FontFromJson(const TJson& j, TFont& f);

template <typename T>
constexpr TPropKind KindOf() {
  if constexpr (std::is_same_v<T, bool>) return TPropKind::pkBool;
  else if constexpr (std::is_same_v<T, char>) return TPropKind::pkChar;
  else if constexpr (std::is_enum_v<T>) return TPropKind::pkEnum;
  else if constexpr (std::is_integral_v<T>) return TPropKind::pkInt;
  else if constexpr (std::is_floating_point_v<T>) return TPropKind::pkDouble;
  else if constexpr (std::is_same_v<T, std::string>) return TPropKind::pkString;
  else if constexpr (std::is_same_v<T, TFont>) return TPropKind::pkFont;
  else if constexpr (IsTSet<T>::value) return TPropKind::pkSet;
  else static_assert(sizeof(T) == 0, "unsupported published property type");
}

template <typename T>
TJson ToJson(const T& v) {
  if constexpr (std::is_same_v<T, bool>) return TJson(v);
  else if constexpr (std::is_same_v<T, char>) return CharToJson(v);
  else if constexpr (std::is_enum_v<T>) return TJson(static_cast<std::int64_t>(v));
  else if constexpr (std::is_integral_v<T>) return TJson(v);
  else if constexpr (std::is_floating_point_v<T>) return DoubleToJson(static_cast<double>(v));
  else if constexpr (std::is_same_v<T, std::string>) return TJson(v);
  else if constexpr (std::is_same_v<T, TFont>) return FontToJson(v);
  else return TJson(v.Bits());
}

// `j` has passed the checks for KindOf<T>() and the range.
template <typename T>
T FromJson(const TJson& j, const T& current) {
  if constexpr (std::is_same_v<T, bool>) return j.template get<bool>();
  else if constexpr (std::is_same_v<T, char>) return CharFromJson(j);
  else if constexpr (std::is_enum_v<T>) return static_cast<T>(j.template get<std::int64_t>());
  else if constexpr (std::is_integral_v<T>) return j.template get<T>();
  else if constexpr (std::is_floating_point_v<T>) return static_cast<T>(DoubleFromJson(j));
  else if constexpr (std::is_same_v<T, std::string>) return j.template get<std::string>();
  else if constexpr (std::is_same_v<T, TFont>) {
    TFont f = current;
    FontFromJson(j, f);
    return f;
  } else return T::FromBits(j.template get<std::uint64_t>());
}

template <typename T>
void SetRange(TPropInfo& p) {
  using L = std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>;
  using U = typename L::type;
  if constexpr (std::is_integral_v<U> && !std::is_same_v<U, bool> && !std::is_same_v<U, char>) {
    p.MinValue = std::int64_t(std::numeric_limits<U>::min());
    if constexpr (sizeof(U) >= sizeof(std::int64_t) && std::is_unsigned_v<U>)
      p.MaxValue = std::numeric_limits<std::int64_t>::max();
    else
      p.MaxValue = std::int64_t(std::numeric_limits<U>::max());
  }
}

template <typename C>
C& CastTo(TPersistent& obj, const std::string& prop) {
  auto* c = dynamic_cast<C*>(&obj);
  if (!c) RaiseMivoError("Property '" + prop + "' does not belong to class " + obj.ClassName());
  return *c;
}

// The more derived of two classes of one hierarchy.
template <typename A, typename B>
using MoreDerived = std::conditional_t<std::is_base_of_v<A, B>, B, A>;

template <typename C, typename T, typename GetF, typename SetF>
TPropInfo MakeProp(std::string name, GetF get, SetF set, const T& def) {
  static_assert(std::is_base_of_v<TPersistent, C>, "published properties belong to TPersistent descendants");
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = KindOf<T>();
  p.Default = ToJson<T>(def);
  SetRange<T>(p);
  const std::string n = p.Name;
  p.Get = [get, n](const TPersistent& obj) -> TJson {
    return ToJson<T>(get(CastTo<C>(const_cast<TPersistent&>(obj), n)));
  };
  p.Set = [get, set, n](TPersistent& obj, const TJson& j) {
    C& c = CastTo<C>(obj, n);
    set(c, FromJson<T>(j, T(get(c))));
  };
  return p;
}

}  // namespace detail

// A property read with `get` and written with `set` (member functions of the
// class or of a base class), default `def`.
template <typename G, typename R, typename S, typename A, typename D>
TPropInfo Prop(std::string name, R (G::*get)() const, void (S::*set)(A), const D& def) {
  using T = std::remove_cvref_t<R>;
  using C = detail::MoreDerived<G, S>;
  static_assert(std::is_base_of_v<G, C> && std::is_base_of_v<S, C>, "getter and setter of unrelated classes");
  static_assert(std::is_convertible_v<const D&, T>, "default value of the wrong type");
  static_assert(std::is_convertible_v<T, std::remove_cvref_t<A>>, "setter takes another type than the getter gives");
  return detail::MakeProp<C, T>(
      std::move(name), [get](const C& c) -> T { return (c.*get)(); }, [set](C& c, const T& v) { (c.*set)(v); },
      T(def));
}

// The same with free functions or lambdas: get(const C&) -> T, set(C&, T).
template <typename C, typename T>
TPropInfo PropFn(std::string name, std::function<T(const C&)> get, std::function<void(C&, const T&)> set,
                 const T& def) {
  return detail::MakeProp<C, T>(std::move(name), std::move(get), std::move(set), def);
}

// A nested persistent sub-object reached through `get`; its own class's
// registered properties are stored as a JSON object.
template <typename G, typename T>
TPropInfo SubObject(std::string name, T& (G::*get)()) {
  static_assert(std::is_base_of_v<TPersistent, T>, "sub-objects are TPersistent descendants");
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::pkObject;
  const std::string n = p.Name;
  p.Sub = [get, n](TPersistent& obj) -> TPersistent* { return &(detail::CastTo<G>(obj, n).*get)(); };
  return p;
}

// Changes the default of an inherited property.
template <typename D>
TPropInfo NewDefault(std::string name, const D& def) {
  TPropInfo p;
  p.Name = std::move(name);
  p.DefaultOnly = true;
  if constexpr (std::is_convertible_v<const D&, std::string> && !std::is_same_v<D, char>)
    p.Default = TJson(std::string(def));
  else
    p.Default = detail::ToJson<D>(def);
  return p;
}

// Registers the properties of class C under `className` (and the class's
// factory when C can be created from an owner). Returns true, so the call can
// initialise a function-local static.
template <typename C>
bool RegisterProperties(const std::string& className, const std::string& parentName, std::vector<TPropInfo> props) {
  static_assert(std::is_base_of_v<TPersistent, C>);
  TClassProps info;
  info.ClassName = className;
  info.ParentName = parentName;
  info.Props = std::move(props);
  if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*> &&
                !std::is_abstract_v<C>)
    info.Create = [](TComponent* owner) -> std::unique_ptr<TComponent> { return std::make_unique<C>(owner); };
  RegisterClassProps(std::move(info));
  return true;
}

template <typename C>
bool RegisterProperties(const std::string& className, std::vector<TPropInfo> props) {
  return RegisterProperties<C>(className, "", std::move(props));
}

// The component palette: a component package places its classes on a named
// page ("Mivo"). Each class appears once per page, in registration order.
void RegisterComponents(const std::string& page, const std::vector<std::string>& classNames);
std::vector<std::string> PaletteComponents(const std::string& page);

// ---------------------------------------------------------------- form files

// The deepest nesting of JSON objects and arrays a form file may have. A form
// with a font inside a sub-object nests six levels (the form, its list, a
// component, its properties, the sub-object, the font). Reading a deeper file
// raises EMivoError "Form file 'x.json': nesting deeper than 64 levels"
// without touching any component, however deep the file goes.
constexpr int MaxFormNesting = 64;

// One component as JSON ({"class", "name", "properties"}) and back. `source`
// names the file in error messages.
TJson ComponentToJson(const TComponent& c);
void ComponentFromJson(TComponent& c, const TJson& j, const std::string& source = "<memory>");

// Text forms of the same (pretty-printed JSON).
std::string WriteComponentToString(const TComponent& c);
void ReadComponentFromString(TComponent& c, std::string_view text, const std::string& source = "<memory>");

// Files. A form file is {"components": [...]}; a file written for a single
// component holds just that component's object. Reading a malformed file
// raises EMivoError naming the file.
void WriteComponentFile(const std::string& fileName, const TComponent& c);
void ReadComponentFile(const std::string& fileName, TComponent& c);
void WriteFormFile(const std::string& fileName, const std::vector<const TComponent*>& components);
// Reads a form into existing components, matched by name (every listed
// component must exist). All are loaded, then Loaded is called on each.
void ReadFormFileInto(const std::string& fileName, const std::vector<TComponent*>& components);
// Reads a form and creates its components from their registered classes.
std::vector<std::unique_ptr<TComponent>> ReadFormFile(const std::string& fileName, TComponent* owner = nullptr);
// The same from text.
void ReadFormInto(std::string_view text, const std::vector<TComponent*>& components,
                  const std::string& source = "<memory>");
std::vector<std::unique_ptr<TComponent>> ReadForm(std::string_view text, TComponent* owner = nullptr,
                                                  const std::string& source = "<memory>");
std::string WriteFormToString(const std::vector<const TComponent*>& components);

}  // namespace mivo
MIVO_PUBLIC_END
